#include <QtTest>

#include <QImage>
#include <QPainter>

#include <cmath>

#include "views/plot/plot_axis.h"
#include "views/plot/plot_curves.h"

using namespace strativex;

namespace {

const QColor kLine{200, 0, 0};

int LinePixels(const QImage& image, int fromX, int toX) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = fromX; x < toX; ++x) {
            if (image.pixelColor(x, y) == kLine) ++count;
        }
    }
    return count;
}

}  // namespace

class TestPlotCurves : public QObject {
    Q_OBJECT

private slots:
    // A log result axis starts and ends on whole decades around the data, however narrow.
    void logAxisRoundsToDecades_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("bottom");
        QTest::addColumn<double>("top");
        QTest::newRow("several decades") << 0.003 << 42.0 << 0.001 << 100.0;
        QTest::newRow("on decades already") << 1.0 << 10.0 << 1.0 << 10.0;
        QTest::newRow("within one decade") << 2e-6 << 3e-6 << 1e-6 << 1e-5;
        QTest::newRow("one value") << 0.5 << 0.5 << 0.1 << 1.0;
    }
    void logAxisRoundsToDecades() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, bottom);
        QFETCH(double, top);
        const PlotAxis axis = RoundedLogAxis(low, high, 8);
        QCOMPARE(axis.Scale, AxisScale::Logarithmic);
        QVERIFY(std::abs(axis.Low / bottom - 1.0) < 1e-12);
        QVERIFY(std::abs(axis.High / top - 1.0) < 1e-12);
        QVERIFY(axis.Ticks.size() >= 2);
        QVERIFY(axis.Fraction(low) >= 0.0 && axis.Fraction(high) <= 1.0);
    }

    // Samples a log axis cannot show (zero, negative, not a number) break the line where they
    // are; the rest is drawn, on the side of the plot where it belongs.
    void unshowableSamplesBreakTheLine() {
        CurvePlotInputs plot;
        plot.XScale = AxisScale::Logarithmic;
        plot.YScale = AxisScale::Logarithmic;
        plot.Series.push_back({QString(),
                               {kLine, 3.0},
                               {1e-3, 1e-2, 1e-1, 1.0, 10.0, 100.0},
                               {1.0, 2.0, 0.0, std::nan(""), 5.0, 9.0}});
        QImage image(600, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        PaintCurvePlot(painter, QRectF(0, 0, 600, 400), 1.0, plot);
        painter.end();
        // Drawn at both ends, nothing across the two decades without a value.
        QVERIFY(LinePixels(image, 80, 200) > 0);
        QVERIFY(LinePixels(image, 450, 580) > 0);
        QCOMPARE(LinePixels(image, 300, 400), 0);
    }
};

QTEST_MAIN(TestPlotCurves)
#include "test_plot_curves.moc"
