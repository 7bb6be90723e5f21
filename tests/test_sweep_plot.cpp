#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include "core/sweep.h"
#include "support/file_bytes.h"
#include "support/pdf_text.h"
#include "support/sweep_fixtures.h"
#include "views/plot/plot_axis.h"
#include "views/plot/plot_export.h"
#include "views/plot/plot_geometry.h"
#include "views/plot/plot_readout.h"
#include "views/plot/plot_texts.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

SweepRequest PowerSweep(double from, double to, int count, bool log = false) {
    const SweepSpacing spacing = log ? SweepSpacing::Logarithmic : SweepSpacing::Linear;
    return {QuantityId::Power, 0, from, to, count, spacing, {}};
}

// The die stack whose middle layer diverges above some power, swept over a power range that
// crosses it.
SweepResult DivergingSweep(int count = 25) {
    Model model = DieOnCopper();
    model.Layers[2] = SweepLayer(kDivergingId, 1.0f, 0.0f);
    return *RunSweep(model, SweepMaterials(), PowerSweep(1, 20, count));
}

struct Plot {
    SweepResult sweep;
    MaterialTable materials = SweepMaterials();
    bool layers = false;
    std::optional<std::vector<SweepExactPoint>> exact{};

    SweepPlotInputs inputs() const {
        return {sweep,
                materials,
                kDefaultDecimalDigits,
                layers,
                QStringLiteral("Die on copper"),
                exact ? &*exact : nullptr};
    }
    SweepPlotGeometry geometry(QSizeF size = {640, 400}) const {
        return ComputeSweepPlot(inputs(), size);
    }
};

bool Near(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

const PlotLabel* LabelWith(const SweepPlotGeometry& g, const QString& text) {
    for (const PlotLabel& label : g.Labels) {
        if (label.Text == text) return &label;
    }
    return nullptr;
}

int ColourDistance(QRgb a, const QColor& b) {
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) +
           std::abs(qBlue(a) - b.blue());
}

// Whether a pixel within a pixel of the point has the colour.
bool ColourNear(const QImage& image, QPointF at, const QColor& colour) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            const QPoint p(qRound(at.x()) + dx, qRound(at.y()) + dy);
            if (image.rect().contains(p) && ColourDistance(image.pixel(p), colour) < 60)
                return true;
        }
    }
    return false;
}

QString PlotPdfText(const QByteArray& pdf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plot.pdf");
    return WriteBytes(path, pdf) ? PdfText(path) : QString();
}

}  // namespace

Q_DECLARE_METATYPE(SweepRequest)

class TestSweepPlot : public QObject {
    Q_OBJECT

private slots:
    void axisTicks_data() {
        QTest::addColumn<bool>("log");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("most");
        QTest::addColumn<QList<double>>("ticks");
        const auto row = [](const char* name, bool log, double low, double high, int most,
                            const QList<double>& ticks) {
            QTest::newRow(name) << log << low << high << most << ticks;
        };
        row("tens do not fit, twenties do", false, 85.3, 131.7, 6, {80, 100, 120, 140});
        row("fifths", false, 0, 1, 6, {0, 0.2, 0.4, 0.6, 0.8, 1});
        row("across zero", false, -3, 7, 11, {-3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7});
        row("flat curve", false, 50, 50, 5, {46, 48, 50, 52, 54});
        row("small values", false, 0.00012, 0.00031, 6, {1e-4, 1.5e-4, 2e-4, 2.5e-4, 3e-4, 3.5e-4});
        row("decades", true, 0.5, 900, 8, {1, 10, 100});
        row("one decade, 1-2-5", true, 1, 10, 8, {1, 2, 5, 10});
        row("part of a decade, every digit", true, 1, 3, 8, {1, 2, 3});
        row("every second decade", true, 1e-6, 1, 4, {1e-6, 1e-4, 1e-2, 1});
        row("no digit inside: linear ticks", true, 1.1, 1.9, 5, {1.2, 1.4, 1.6, 1.8});
    }

    // A result's axis is widened to the ticks around its data; a logarithmic sweep's keeps the
    // sweep's ends and puts its ticks inside at log-spaced values.
    void axisTicks() {
        QFETCH(bool, log);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, most);
        QFETCH(QList<double>, ticks);
        const PlotAxis axis = log ? ExactLogAxis(low, high, most) : RoundedAxis(low, high, most);
        QCOMPARE(axis.Ticks.size(), static_cast<std::size_t>(ticks.size()));
        for (qsizetype i = 0; i < ticks.size(); ++i) QVERIFY(Near(axis.Ticks[i], ticks[i]));
        if (!log) {
            QVERIFY(Near(axis.Low, ticks.front()) && Near(axis.High, ticks.back()));
            return;
        }
        QVERIFY(axis.Scale == AxisScale::Logarithmic && axis.Low == low && axis.High == high);
        QVERIFY(Near(axis.Fraction(std::sqrt(low * high)), 0.5));
    }

    void alignedAxis_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("count");
        QTest::newRow("narrow") << 0.26 << 0.27 << 5;
        QTest::newRow("from zero") << 0.0 << 3.3 << 4;
        QTest::newRow("rounding of 1.95 / 0.05") << 1.95 << 2.05 << 3;
        QTest::newRow("flat") << 0.4 << 0.4 << 6;
        QTest::newRow("negative") << -12.0 << -2.5 << 7;
    }

    // The right axis keeps the left's grid: as many ticks, evenly spaced, around its data.
    void alignedAxis() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, count);
        const PlotAxis axis = AlignedAxis(low, high, count);
        QCOMPARE(axis.Ticks.size(), static_cast<std::size_t>(count));
        const double step = axis.Ticks[1] - axis.Ticks[0];
        // A tick computed as 39 x 0.05 may land an ulp above the data it stands for.
        QVERIFY(axis.Ticks.front() <= low + 1e-9 * step && axis.Ticks.back() >= high - 1e-9 * step);
        for (std::size_t i = 1; i < axis.Ticks.size(); ++i) {
            QVERIFY(Near(axis.Ticks[i] - axis.Ticks[i - 1], step));
        }
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
        QVERIFY2(Near(mantissa, 1) || Near(mantissa, 2) || Near(mantissa, 5),
                 qPrintable(QString::number(step)));
    }

    // What a reader takes off either axis at a point is the point's value: source on the left,
    // resistance on the right, and a logarithmic sweep spaced by ratio.
    void pointsReadBackOffTheirAxes() {
        Plot plot{*RunSweep(DieOnCopper(), SweepMaterials(), PowerSweep(1, 1000, 4, true))};
        const SweepPlotGeometry g = plot.geometry();
        QCOMPARE(g.PointX.size(), std::size_t{4});
        for (std::size_t p = 1; p < 3; ++p) {
            QVERIFY(std::fabs((g.PointX[p + 1] - g.PointX[p]) - (g.PointX[1] - g.PointX[0])) <
                    1e-9);
        }
        const auto valueAt = [&](const PlotAxis& axis, double y) {
            const double fraction = (g.Area.bottom() - y) / g.Area.height();
            return axis.Low + fraction * (axis.High - axis.Low);
        };
        const PlotSeries& resistance = g.Resistance;
        const PlotSeries& source = g.Source;
        for (std::size_t p = 0; p < 4; ++p) {
            const SweepPoint& point = plot.sweep.Points[p];
            QVERIFY(Near(valueAt(g.Left, source.Runs[0][p].y()), *point.HeatSourceTempC));
            QVERIFY(Near(valueAt(g.Right, resistance.Runs[0][p].y()), *point.TotalResistance));
            QCOMPARE(source.Runs[0][p].x(), g.PointX[p]);
        }
        QCOMPARE(g.GridY.size(), g.Right.Ticks.size());
    }

    // Points without a result break the curves and lie in a shaded band that names the layer
    // and why; the points around it stay outside the band.
    void gapsCoverFailedPoints() {
        const Plot plot{DivergingSweep()};
        const SweepPlotGeometry g = plot.geometry({900, 500});
        QCOMPARE(g.Gaps.size(), std::size_t{1});
        const PlotGap& gap = g.Gaps.front();
        for (std::size_t p = 0; p < plot.sweep.Points.size(); ++p) {
            const bool failed = !plot.sweep.Points[p].HasResult();
            QCOMPARE(failed, p >= gap.First && p <= gap.Last);
            QCOMPARE(gap.Band.left() <= g.PointX[p] && g.PointX[p] <= gap.Band.right(), failed);
        }
        QVERIFY(gap.First > 0);
        QCOMPARE(gap.Last, plot.sweep.Points.size() - 1);
        QCOMPARE(gap.Band.right(), g.Area.right());
        const std::size_t drawn = g.Source.Runs.at(0).size();
        QCOMPARE(drawn, gap.First);
        const PlotLabel* reason = LabelWith(g, "layer 2: no result");
        QVERIFY(reason && gap.Band.contains(reason->Box.center()));
        QVERIFY(LabelWith(g, "No result"));
    }

    void withoutResults_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("before the first sweep") << 0;
        QTest::newRow("every point fails") << 5;
    }

    // Nothing to draw is still a plot: axes, and a gap over all of it when every point failed.
    void withoutResults() {
        QFETCH(int, count);
        Model model = DieOnCopper();
        model.Layers[2] = SweepLayer(kDivergingId, 1.0f, 0.0f);
        SweepResult sweep;
        if (count > 0) sweep = *RunSweep(model, SweepMaterials(), PowerSweep(500, 1000, count));
        const Plot plot{sweep};
        const SweepPlotGeometry g = plot.geometry();
        QVERIFY(g.GridX.size() >= 2 && g.GridY.size() >= 3);
        QVERIFY(g.Source.Runs.empty() && g.Source.Markers.empty());
        QCOMPARE(g.Gaps.size(), count > 0 ? std::size_t{1} : std::size_t{0});
        if (count > 0) QCOMPARE(g.Gaps.front().Band, g.Area);
        QCOMPARE(PointIndexAt(g, g.Area.center()).has_value(), count > 0);
        QVERIFY(!SweepPlotImage(plot.inputs(), QSize(320, 200)).isNull());
    }

    void readout_data() {
        QTest::addColumn<int>("point");
        QTest::addColumn<QString>("text");
        QTest::newRow("first") << 0
                               << "Power 1 W \u2014 heat source %1 \u00B0C, total resistance %2 "
                                  "\u00B0C/W";
        QTest::newRow("last, a gap") << 24 << "Power 20 W \u2014 layer 2: no result";
    }

    // The cursor over a point's column reads that point, inside the area only.
    void readout() {
        QFETCH(int, point);
        QFETCH(QString, text);
        const Plot plot{DivergingSweep()};
        const SweepPlotGeometry g = plot.geometry();
        const auto p = static_cast<std::size_t>(point);
        const double half = (g.PointX[1] - g.PointX[0]) / 2.0;
        for (const double dx : {-0.45 * half, 0.0, 0.45 * half}) {
            const QPointF cursor(std::clamp(g.PointX[p] + dx, g.Area.left(), g.Area.right() - 0.01),
                                 g.Area.center().y());
            QCOMPARE(PointIndexAt(g, cursor), std::optional<std::size_t>(p));
        }
        QCOMPARE(PointIndexAt(g, QPointF(g.PointX[p], g.Area.top() - 1)), std::nullopt);
        const SweepPoint& sweepPoint = plot.sweep.Points[p];
        if (sweepPoint.HasResult()) {
            text = text.arg(QString::fromStdString(FormatDecimals(*sweepPoint.HeatSourceTempC, 2)),
                            QString::fromStdString(FormatDecimals(*sweepPoint.TotalResistance, 2)));
        }
        QCOMPARE(PointReadout(plot.inputs(), p), text);
    }

    // The 3-D check's points sit on the temperature axis at their sweep points, a run broken
    // where one has no result; the legend names them and the read-out gives them.
    void exactPoints() {
        Plot plot{*RunSweep(DieOnCopper(), SweepMaterials(), PowerSweep(5, 40, 21))};
        plot.exact = {{0, 60.0, 90.0}, {10, std::nullopt, std::nullopt}, {20, 70.0, 150.0}};
        const SweepPlotGeometry g = plot.geometry();
        QCOMPARE(g.Exact.size(), std::size_t{2});
        for (const PlotSeries& series : g.Exact) {
            QCOMPARE(series.Markers.size(), std::size_t{2});
            QVERIFY(series.Runs.empty());
        }
        QCOMPARE(g.Exact[0].Markers[1].x(), g.PointX[20]);
        QCOMPARE(g.Exact[0].Markers[1].y(),
                 g.Area.bottom() - g.Left.Fraction(70.0) * g.Area.height());
        QVERIFY2(g.Left.High >= 150.0, "the highest peak is inside the temperature axis");
        QVERIFY(LabelWith(g, "3-D check, average") && LabelWith(g, "3-D check, peak"));
        QVERIFY(PointReadout(plot.inputs(), 10).endsWith("; 3-D check: no result"));
        QVERIFY(PointReadout(plot.inputs(), 20)
                    .endsWith(QString::fromUtf8(
                        "; 3-D check average 70.00 \u00B0C, peak 150.00 \u00B0C")));
        QVERIFY(!PointReadout(plot.inputs(), 5).contains("3-D"));
        plot.exact->pop_back();
        plot.exact->push_back({15, 65.0, 100.0});
        QCOMPARE(plot.geometry().Exact[0].Runs.size(), std::size_t{0});
        plot.exact->erase(plot.exact->begin() + 1);
        QCOMPARE(plot.geometry().Exact[0].Runs.size(), std::size_t{1});
    }

    void modelValue_data() {
        QTest::addColumn<SweepRequest>("request");
        QTest::addColumn<int>("point");
        QTest::newRow("power 20 W among the points") << PowerSweep(10, 30, 5) << 2;
        QTest::newRow("power 20 W outside") << PowerSweep(30, 50, 5) << -1;
        QTest::newRow("layer 1's material")
            << SweepRequest{QuantityId::Material, 1, 0, 0, 0, {}, {kCopperId, kFallingId}} << 1;
    }

    // The model's own value is marked where it lies, and the legend names the mark only then.
    void modelValue() {
        QFETCH(SweepRequest, request);
        QFETCH(int, point);
        const Plot plot{*RunSweep(DieOnCopper(), SweepMaterials(), request)};
        const SweepPlotGeometry g = plot.geometry();
        QCOMPARE(g.ModelX.has_value(), point >= 0);
        QCOMPARE(LabelWith(g, "Model value") != nullptr, point >= 0);
        if (point >= 0) QCOMPARE(*g.ModelX, g.PointX[static_cast<std::size_t>(point)]);
    }

    void labelsStayApart_data() {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<bool>("layers");
        QTest::newRow("small window") << QSizeF(360, 240) << false;
        QTest::newRow("large window, every layer") << QSizeF(1200, 800) << true;
        QTest::newRow("narrow, every layer") << QSizeF(300, 500) << true;
    }

    // Tick labels never run into each other or off the picture, at any size.
    void labelsStayApart() {
        QFETCH(QSizeF, size);
        QFETCH(bool, layers);
        const Plot plot{
            *RunSweep(DieOnCopper(), SweepMaterials(), PowerSweep(0.0001, 1000, 200, true)),
            SweepMaterials(), layers};
        const SweepPlotGeometry g = plot.geometry(size);
        QVERIFY(g.GridX.size() >= 2 && g.GridY.size() >= 3);
        const QRectF picture(QPointF(), size);
        for (std::size_t i = 0; i < g.Labels.size(); ++i) {
            QVERIFY2(picture.contains(g.Labels[i].Box), qPrintable(g.Labels[i].Text));
            for (std::size_t j = 0; j < i; ++j) {
                QVERIFY2(!g.Labels[i].Box.intersects(g.Labels[j].Box),
                         qPrintable(g.Labels[i].Text + " / " + g.Labels[j].Text));
            }
        }
    }

    // The rendered picture has the curve on its points and nothing of it in the gap.
    void imageShowsCurveAndGap() {
        const Plot plot{DivergingSweep(60)};
        const QSize size(640, 400);
        const SweepPlotGeometry g = plot.geometry(size);
        const QImage image = SweepPlotImage(plot.inputs(), size);
        for (const QPointF& at : g.Source.Runs.at(0)) QVERIFY(ColourNear(image, at, kSourceColor));
        const QRectF band = g.Gaps.front().Band.adjusted(3, 20, -3, -3);
        for (int x = qCeil(band.left()); x < band.right(); ++x) {
            for (int y = qCeil(band.top()); y < band.bottom(); ++y) {
                QVERIFY(ColourDistance(image.pixel(x, y), kSourceColor) > 60);
                QVERIFY(ColourDistance(image.pixel(x, y), kResistanceColor) > 60);
            }
        }
        QCOMPARE(image.pixelColor(qRound(band.center().x()), qRound(band.center().y())), kGapColor);
    }

    // A PDF page carries the axes' titles, every tick label, the legend and the gap's reason
    // as text.
    void pdfReadsBack() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is absent");
        const Plot plot{DivergingSweep(), SweepMaterials(), true};
        const QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                               QMarginsF(10, 10, 10, 10));
        const QString text = PlotPdfText(SweepPlotPdf(plot.inputs(), page));
        QStringList expected{"Die on copper", "Power (W)", "Heat source temperature"};
        expected << QStringLiteral("Total resistance (right axis)") << QStringLiteral("Layer 3 top")
                 << QStringLiteral("layer 2: no result");
        const QSizeF pageSize = page.paintRectPoints().size() * (96.0 / 72.0);
        const SweepPlotGeometry g = plot.geometry(pageSize);
        for (const PlotLabel& label : g.Labels) {
            if (!label.Vertical) expected << label.Text;
        }
        for (const QString& part : expected)
            QVERIFY2(text.contains(part), qPrintable(part + "\n" + text));
        // pdftotext puts each word of turned text on a line of its own.
        const QString squeezed = QString(text).replace('\n', ' ');
        QVERIFY2(
            squeezed.contains(TemperatureAxisTitle()) && squeezed.contains(ResistanceAxisTitle()),
            qPrintable(text));
    }
};

QTEST_MAIN(TestSweepPlot)
#include "test_sweep_plot.moc"
