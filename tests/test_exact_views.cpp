#include <QPainter>
#include <QtTest>

#include <cmath>

#include "exact/exact_check.h"
#include "support/exact_stacks.h"
#include "views/exact_check/exact_colour_scale.h"
#include "views/exact_check/exact_picture_export.h"
#include "views/exact_check/exact_profile_geometry.h"
#include "views/exact_check/exact_section_field.h"
#include "views/exact_check/exact_section_geometry.h"
#include "views/exact_check/exact_section_painter.h"
#include "views/exact_check/exact_summary_of.h"

using namespace strativex;

namespace {

using Faces = std::vector<double>;

// A section on uneven faces whose cells hold a + b x + c z at their centres; the cells of
// `holes` (index l * columns + i) lie outside the body.
exact::CrossSection LinearSection(double a, double b, double c,
                                  const std::vector<std::size_t>& holes = {}) {
    exact::CrossSection section{
        {-2.0, -1.2, -0.5, 0.0, 0.3, 1.1, 2.0}, {0.0, 0.1, 0.4, 1.0, 1.6}, {}};
    for (std::size_t l = 0; l + 1 < section.Z.size(); ++l) {
        for (std::size_t i = 0; i + 1 < section.X.size(); ++i) {
            const double x = 0.5 * (section.X[i] + section.X[i + 1]);
            const double z = 0.5 * (section.Z[l] + section.Z[l + 1]);
            section.TempC.push_back(a + b * x + c * z);
        }
    }
    for (const std::size_t hole : holes) section.TempC[hole] = NAN;
    return section;
}

struct Checked {
    exact_stacks::Case Case;
    exact::ExactResult Result;
};

// The die on solder and a plate: three layers, each wider than the one above.
const Checked& ThreeLayers() {
    static const Checked checked = [] {
        exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        exact::ExactResult result = exact::RunExactCheck(c.Model, c.Table);
        return Checked{std::move(c), std::move(result)};
    }();
    return checked;
}

bool Near(double a, double b, double tolerance = 1e-9) {
    return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b));
}

}  // namespace

class TestExactViews : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(ThreeLayers().Result.Status, exact::ExactStatus::Ok); }

    // Between cell centres the interpolation is exact for a linear field; outside the body,
    // and beside a missing cell, nothing is invented.
    void fieldInterpolatesBetweenCentres() {
        const exact::CrossSection section = LinearSection(20.0, 3.0, -7.0, {6, 13});
        const SectionField field(section);
        for (const auto& [x, z] : {std::pair(-0.6, 0.15), std::pair(0.2, 0.9), std::pair(1.3, 1.2),
                                   std::pair(0.0, 0.3)}) {
            const auto t = field.At(x, z);
            QVERIFY(t.has_value());
            QVERIFY2(Near(*t, 20.0 + 3.0 * x - 7.0 * z), qPrintable(QString::number(*t)));
        }
        // Cell 6 is the first of row 1 (x -2..-1.2, z 0.1..0.4): outside the body.
        QVERIFY(!field.At(-1.9, 0.2).has_value());
        QVERIFY(!field.At(2.5, 0.2).has_value());
        QVERIFY(!field.At(0.0, -0.1).has_value());
        // Next to the hole the value comes from the cells that are there: between the
        // centres of row 0 and row 1 in column 0, only row 0's is left.
        QVERIFY(Near(*field.At(-1.6, 0.09), *field.At(-1.6, 0.05)));
    }

    void isothermsFollowTheLevel_data() {
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("c");
        QTest::addColumn<double>("level");
        QTest::addColumn<bool>("found");
        QTest::newRow("across x") << 5.0 << 0.0 << 21.0 << true;
        QTest::newRow("down z") << 0.0 << -10.0 << 15.0 << true;
        QTest::newRow("slanted") << 4.0 << 6.0 << 23.0 << true;
        QTest::newRow("above every cell") << 4.0 << 6.0 << 100.0 << false;
    }

    // Every end of every segment lies where the interpolated field has the level.
    void isothermsFollowTheLevel() {
        QFETCH(double, b);
        QFETCH(double, c);
        QFETCH(double, level);
        QFETCH(bool, found);
        const std::vector<QLineF> segments =
            SectionField(LinearSection(20.0, b, c)).Isotherm(level);
        QCOMPARE(!segments.empty(), found);
        for (const QLineF& s : segments) {
            for (const QPointF& p : {s.p1(), s.p2()}) {
                QVERIFY2(Near(20.0 + b * p.x() + c * p.y(), level),
                         qPrintable(QStringLiteral("%1, %2").arg(p.x()).arg(p.y())));
            }
        }
    }

    // Two warm corners across from each other: the mean of the four decides whether the level
    // joins them or cuts them off, and the two lines never cross.
    void saddleGivesTwoSeparateLines_data() {
        QTest::addColumn<double>("level");
        QTest::addColumn<bool>("warmJoined");
        QTest::newRow("level below the mean") << 0.85 << true;
        QTest::newRow("level above the mean") << 0.95 << false;
    }

    void saddleGivesTwoSeparateLines() {
        QFETCH(double, level);
        QFETCH(bool, warmJoined);
        // Centres (0.5, 0.5) and (1.5, 1.5) at 1, the other two at 0.8: the mean is 0.9.
        const exact::CrossSection section{{0.0, 1.0, 2.0}, {0.0, 1.0, 2.0}, {1.0, 0.8, 0.8, 1.0}};
        const std::vector<QLineF> segments = SectionField(section).Isotherm(level);
        QCOMPARE(segments.size(), std::size_t{2});
        // Joined warm corners leave the cool ones cut off: a line then runs close by the cool
        // corner (1.5, 0.5).
        const QPointF coolCorner(1.5, 0.5);
        const double toCool = std::min(QLineF(segments[0].center(), coolCorner).length(),
                                       QLineF(segments[1].center(), coolCorner).length());
        QCOMPARE(toCool < 0.5, warmJoined);
        QVERIFY(segments[0].intersects(segments[1]) != QLineF::BoundedIntersection);
    }

    void colourScaleRunsColdToHot() {
        const QColor cold = TemperatureColour(0.0);
        const QColor hot = TemperatureColour(1.0);
        QVERIFY(cold.blue() > cold.red());
        QVERIFY(hot.red() > hot.blue());
        QCOMPARE(TemperatureColour(-3.0), cold);
        QCOMPARE(TemperatureColour(7.0), hot);
        QCOMPARE(TemperatureColour(NAN), cold);
        QVERIFY(TemperatureColour(0.5) != cold && TemperatureColour(0.5) != hot);
    }

    void mapKeepsOrStatesItsProportions_data() {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<int>("extent");
        QTest::addColumn<double>("exaggeration");
        QTest::addColumn<QString>("caption");
        // The whole section is 30 mm wide and 3.6 mm deep; around the source 2.5 + 3.6 mm
        // either side of the centre.
        QTest::newRow("whole, flat box")
            << QSizeF(900, 200) << int(SectionExtent::Whole) << 1.0 << "True proportions";
        QTest::newRow("whole, flatter box") << QSizeF(900, 130) << int(SectionExtent::Whole) << 0.5
                                            << "Width drawn at 2 \u00D7 the depth's scale";
        QTest::newRow("whole, square box") << QSizeF(600, 600) << int(SectionExtent::Whole) << 5.0
                                           << "Depth drawn at 5 \u00D7 the width's scale";
        QTest::newRow("around the source")
            << QSizeF(700, 420) << int(SectionExtent::AroundSource) << 1.0 << "True proportions";
        QTest::newRow("around the source, narrow box")
            << QSizeF(260, 900) << int(SectionExtent::AroundSource) << 10.0
            << "Depth drawn at 10 \u00D7 the width's scale";
    }

    void mapKeepsOrStatesItsProportions() {
        QFETCH(QSizeF, size);
        QFETCH(int, extent);
        QFETCH(double, exaggeration);
        QFETCH(QString, caption);
        const exact::ExactResult& result = ThreeLayers().Result;
        const ExactPictureInputs inputs{result, LengthUnit::Millimeters,
                                        static_cast<SectionExtent>(extent)};
        const SectionGeometry g = ComputeExactSection(inputs, size);
        const double half = extent == int(SectionExtent::Whole) ? 15.0 : 2.5 + 3.6;
        QVERIFY(Near(g.Left, -half, 1e-6) && Near(g.Right, half, 1e-6));
        QVERIFY(Near(g.Depth, 3.6, 1e-6));
        QVERIFY(Near(g.DepthExaggeration(), exaggeration));
        QVERIFY(Near(g.Map.width(), 2 * half * g.ScaleX) && Near(g.Map.height(), 3.6 * g.ScaleZ));
        QVERIFY(QRectF(QPointF(), size).contains(g.Map) && QRectF(QPointF(), size).contains(g.Bar));
        QVERIFY(g.Bar.left() > g.Map.right());
        const auto captioned =
            std::find_if(g.Labels.begin(), g.Labels.end(),
                         [&](const PlotLabel& l) { return l.Text.startsWith(caption); });
        QVERIFY2(captioned != g.Labels.end(), qPrintable(caption));
        QVERIFY(captioned->Text.contains(QStringLiteral("isotherms every")));
    }

    // An array's sources are marked column by column at their centres, each as wide as the
    // device, the rows behind one another sharing a mark.
    void mapMarksEveryColumnOfAnArray() {
        exact::ExactResult result = ThreeLayers().Result;
        result.Sources = {2, 2, 6.0, 7.0};
        for (const double x : {-3.0, 3.0}) {
            for (const double y : {-3.5, 3.5}) result.SourceTemps.push_back({x, y, 90.0, 95.0});
        }
        const SectionGeometry g = ComputeExactSection(
            {result, LengthUnit::Millimeters, SectionExtent::Whole}, QSizeF(900, 500));
        QCOMPARE(g.Sources.size(), std::size_t{2});
        const double half = result.WidthProfile.SourceHalfSize;
        QVERIFY(Near(g.Sources[0].x1(), g.At(-3.0 - half, 0).x()) &&
                Near(g.Sources[0].x2(), g.At(-3.0 + half, 0).x()));
        QVERIFY(Near(g.Sources[1].x1(), g.At(3.0 - half, 0).x()) &&
                Near(g.Sources[1].x2(), g.At(3.0 + half, 0).x()));
        // Around the sources, the map reaches the stack's depth past the outermost one.
        const SectionGeometry around = ComputeExactSection(
            {result, LengthUnit::Millimeters, SectionExtent::AroundSource}, QSizeF(900, 500));
        QVERIFY(Near(around.Right,
                     std::min(result.Section.X.back(), 3.0 + half + result.Section.Z.back())));
        // The face's profile marks every source's edges: two columns, two rows.
        const ProfileGeometry profile =
            ComputeExactProfile({result, LengthUnit::Millimeters}, QSizeF(700, 300));
        const auto xOf = [&](double position) {
            return profile.Area.left() + profile.X.Fraction(position) * profile.Area.width();
        };
        const double halfLength = result.LengthProfile.SourceHalfSize;
        const std::vector<double> edges{-3.0 - half,      -3.0 + half,       3.0 - half,
                                        3.0 + half,       -3.5 - halfLength, -3.5 + halfLength,
                                        3.5 - halfLength, 3.5 + halfLength};
        QCOMPARE(profile.SourceEdgesX.size(), edges.size());
        for (std::size_t n = 0; n < edges.size(); ++n) {
            QVERIFY2(Near(profile.SourceEdgesX[n], xOf(edges[n])), qPrintable(QString::number(n)));
        }
    }

    // The layers stand where the model puts them, the source on top, the isotherms inside.
    void mapPlacesTheStack() {
        const exact::ExactResult& result = ThreeLayers().Result;
        const SectionGeometry g = ComputeExactSection(
            {result, LengthUnit::Millimeters, SectionExtent::Whole}, QSizeF(900, 500));
        // 10 mm die, 0.5 thick; 12 mm solder, 0.1; 30 mm plate, 3.
        const std::vector<QRectF> expected{{g.At(-5, 0), g.At(5, 0.5)},
                                           {g.At(-6, 0.5), g.At(6, 0.6)},
                                           {g.At(-15, 0.6), g.At(15, 3.6)}};
        QCOMPARE(g.Outlines.size(), expected.size());
        for (std::size_t n = 0; n < expected.size(); ++n) {
            QVERIFY2(
                QLineF(g.Outlines[n].topLeft(), expected[n].topLeft()).length() < 1e-6 &&
                    QLineF(g.Outlines[n].bottomRight(), expected[n].bottomRight()).length() < 1e-6,
                qPrintable(QString::number(n)));
        }
        QCOMPARE(g.Sources.size(), std::size_t{1});
        QVERIFY(Near(g.Sources[0].length(), 5.0 * g.ScaleX) &&
                Near(g.Sources[0].y1(), g.Map.top()));
        QVERIFY(g.Colours.Low <= result.BaseTempC && g.Colours.High >= result.PeakSourceTempC);
        QVERIFY(!g.Isotherms.empty());
        const QRectF inside = g.Map.adjusted(-1e-6, -1e-6, 1e-6, 1e-6);
        for (const IsothermLines& isotherm : g.Isotherms) {
            QVERIFY(isotherm.LevelC > g.Colours.Low && isotherm.LevelC < g.Colours.High);
            QVERIFY(!isotherm.Segments.empty());
            for (const QLineF& s : isotherm.Segments) {
                QVERIFY(inside.contains(s.p1()) && inside.contains(s.p2()));
            }
        }
    }

    // Around the source (6.1 mm either side) the 30 mm plate runs past the map's edges: its
    // outline and the isotherms stop there; the 12 mm solder still shows its own edges.
    void aroundTheSourceCutsTheWideLayers() {
        const exact::ExactResult& result = ThreeLayers().Result;
        const SectionGeometry g = ComputeExactSection(
            {result, LengthUnit::Millimeters, SectionExtent::AroundSource}, QSizeF(700, 420));
        QCOMPARE(g.Outlines.size(), std::size_t{3});
        QVERIFY(Near(g.Outlines[0].left(), g.At(-5.0, 0.0).x()));
        QVERIFY(Near(g.Outlines[1].right(), g.At(6.0, 0.0).x()));
        QVERIFY(g.Outlines[1].right() < g.Map.right());
        QVERIFY(Near(g.Outlines[2].left(), g.Map.left()) &&
                Near(g.Outlines[2].right(), g.Map.right()));
        double lowest = g.Map.bottom();
        for (const IsothermLines& isotherm : g.Isotherms) {
            for (const QLineF& s : isotherm.Segments) {
                QVERIFY(std::max(s.x1(), s.x2()) >= g.Map.left() - 1e-6);
                QVERIFY(std::min(s.x1(), s.x2()) <= g.Map.right() + 1e-6);
                lowest = std::min({lowest, s.y1(), s.y2()});
            }
        }
        // The hottest isotherm hugs the source, just under the top face.
        QVERIFY(lowest < g.At(0.0, 0.5).y());
    }

    // The map's colours cover the body and nothing beside it: beside the die, above the
    // plate, the picture stays clear.
    void coloursStayInsideTheBody() {
        const exact::ExactResult& result = ThreeLayers().Result;
        const SectionGeometry g = ComputeExactSection(
            {result, LengthUnit::Millimeters, SectionExtent::Whole}, QSizeF(900, 500));
        const QSize pixels(300, 120);
        const QImage colours = SectionColours(result.Section, g, pixels);
        QCOMPARE(colours.size(), pixels);
        const auto pixelAt = [&](double x, double depth) {
            return colours.pixelColor(
                static_cast<int>((x - g.Left) / (g.Right - g.Left) * pixels.width()),
                static_cast<int>(depth / g.Depth * pixels.height()));
        };
        QCOMPARE(pixelAt(-12.0, 0.2).alpha(), 0);
        QCOMPARE(pixelAt(0.0, 0.2).alpha(), 255);
        QCOMPARE(pixelAt(-12.0, 3.0).alpha(), 255);
        // The hottest spot is under the source, the coolest at the plate's far bottom.
        const auto warmth = [](const QColor& c) { return c.red() - c.blue(); };
        QVERIFY(warmth(pixelAt(0.0, 0.02)) > warmth(pixelAt(-14.0, 3.5)));
    }

    void profileMarksTheHeatedArea() {
        const exact::ExactResult& result = ThreeLayers().Result;
        const ProfileGeometry g =
            ComputeExactProfile({result, LengthUnit::Millimeters}, QSizeF(700, 300));
        QCOMPARE(static_cast<std::size_t>(g.AcrossWidth.Points.size()),
                 result.WidthProfile.Position.size());
        QCOMPARE(g.SourceEdgesX.size(), std::size_t{4});
        const auto xOf = [&](double position) {
            return g.Area.left() + g.X.Fraction(position) * g.Area.width();
        };
        QVERIFY(Near(g.SourceEdgesX[0], xOf(-2.5)) && Near(g.SourceEdgesX[1], xOf(2.5)));
        // The 3-D average lies between the coolest and the hottest point of the face.
        const QRectF span = g.AcrossWidth.Points.boundingRect();
        QVERIFY(g.Levels.front().Y > span.top() && g.Levels.front().Y < span.bottom());
        QCOMPARE(g.Levels.size(), std::size_t{2});
    }

    // An estimate far above the face's temperatures would squash the curves: it leaves the
    // plot, and the legend keeps its value.
    void distantEstimateLeavesThePlot() {
        exact::ExactResult result = ThreeLayers().Result;
        const double rise = result.PeakSourceTempC - result.BaseTempC;
        result.EstimateSourceTempC = result.PeakSourceTempC + 3.0 * rise;
        const ProfileGeometry g =
            ComputeExactProfile({result, LengthUnit::Millimeters}, QSizeF(700, 300));
        QCOMPARE(g.Levels.size(), std::size_t{1});
        QVERIFY(g.Y.High < *result.EstimateSourceTempC);
        const auto legend = std::find_if(g.Labels.begin(), g.Labels.end(), [](const PlotLabel& l) {
            return l.Text.startsWith(QStringLiteral("Spreading-angle estimate"));
        });
        QVERIFY(legend != g.Labels.end());
        QVERIFY2(legend->Text.endsWith(QStringLiteral("(off the plot)")), qPrintable(legend->Text));
    }

    // With a heat sink the line compared with the face is the estimate with the sink in series,
    // not the isothermal estimate far below it.
    void sinkEstimateIsTheComparedLine() {
        exact::ExactResult result = ThreeLayers().Result;
        result.EstimateSourceTempC = result.BaseTempC;
        result.EstimateWithSinkTempC = result.AverageSourceTempC;
        const ProfileGeometry g =
            ComputeExactProfile({result, LengthUnit::Millimeters}, QSizeF(700, 300));
        QCOMPARE(g.Levels.size(), std::size_t{2});
        QVERIFY(Near(g.Levels.back().Y, g.Levels.front().Y));
        QVERIFY(std::any_of(g.Labels.begin(), g.Labels.end(), [](const PlotLabel& l) {
            return l.Text.startsWith(QStringLiteral("Estimate + heat sink, "));
        }));
    }

    // The report's summary outlives the result it was made from and paints the map inside its
    // box only, at any scale.
    void summaryDrawsTheMapInItsBox_data() {
        QTest::addColumn<QRectF>("box");
        QTest::newRow("screen size") << QRectF(40, 30, 560, 300);
        QTest::newRow("a quarter of it") << QRectF(10, 10, 140, 75);
    }

    void summaryDrawsTheMapInItsBox() {
        QFETCH(QRectF, box);
        std::optional<exact::ExactResult> result = ThreeLayers().Result;
        const std::optional<ExactCheckSummary> summary =
            SummaryOf(*result, LengthUnit::Millimeters);
        result.reset();
        QVERIFY(summary);
        QImage page(700, 400, QImage::Format_RGB32);
        page.fill(Qt::gray);
        {
            QPainter painter(&page);
            summary->DrawCrossSection(painter, box);
        }
        const QRect inside = box.toAlignedRect();
        QVERIFY(page.pixelColor(inside.topLeft() + QPoint(1, 1)) != QColor(Qt::gray));
        QCOMPARE(page.pixelColor(inside.topLeft() - QPoint(2, 2)), QColor(Qt::gray));
        QCOMPARE(page.pixelColor(inside.bottomRight() + QPoint(2, 2)), QColor(Qt::gray));
    }

    void exportedImageHoldsBothPictures() {
        const exact::ExactResult& result = ThreeLayers().Result;
        const QImage image = ExactCheckImage({result, LengthUnit::Millimeters},
                                             QStringLiteral("caption"), QSize(800, 700), 2.0);
        QCOMPARE(image.size(), QSize(1600, 1400));
        QCOMPARE(image.devicePixelRatio(), 2.0);
    }
};

QTEST_MAIN(TestExactViews)
#include "test_exact_views.moc"
