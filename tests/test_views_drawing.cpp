#include <QtTest>

#include <limits>

#include "core/thermal_calc.h"
#include "support/views_fixtures.h"
#include "views/report/report_output.h"
#include "views/stack/data_table.h"
#include "views/stack/data_table_texts.h"
#include "views/stack/layer_strip.h"
#include "views/stack/scale_view.h"
#include "views/surface/cut_to_width.h"
#include "views/surface/fit_text_break.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);

struct Inputs {
    Model model = TwoLayerModel();
    MaterialTable materials = TwoMaterials();
    DecimalDigitsTable digits = kDefaultDecimalDigits;
    Inputs() { RecalculateModel(model, materials); }
    ViewInputs view() const { return {model, materials, digits, StandardLayerPalette()}; }
};

}  // namespace

class TestViewsDrawing : public QObject {
    Q_OBJECT

private slots:
    void rowTexts_data() {
        QTest::addColumn<int>("materialId");  // of layer 2
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("texts");
        // The row's texts from the left, separated by "|".
        const auto row = [](const char* name, int materialId, int row, const QString& texts) {
            QTest::newRow(name) << materialId << row << texts.split('|');
        };
        row("heat source", kAlumina, 0, "1.00 W|Heat Source|2.00|2.00|");
        row("unlimited layer", kAlumina, 1, "Copper|(1)|(infinite)|(infinite)|1.00|45");
        row("no material", 0, 2, "-----|(2)|4.00");
        row("isothermal", kAlumina, 3, "Isothermal|Layer|||||25.00");
        row("material not in the table", 77, 2,
            "(none selected)|(2)|4.00|4.00|1.00|45|material?|material?");
        row("above the failed layer", 77, 1, "Copper|(1)|(infinite)|(infinite)|1.00|45|n/a|n/a");
        row("no total", 77, 3, "Isothermal|Layer|||||25.00|n/a");
    }

    void rowTexts() {
        QFETCH(int, materialId);
        QFETCH(int, row);
        QFETCH(QStringList, texts);
        Inputs inputs;
        inputs.model.Layers[2].MaterialId = static_cast<std::int16_t>(materialId);
        RecalculateModel(inputs.model, inputs.materials);
        const DataTableRowTexts t = RowTexts(inputs.view(), row);
        const QStringList shown{t.Material[0], t.Material[1], t.Size[0],     t.Size[1],
                                t.Thickness,   t.Angle,       t.Temperature, t.Resistance};
        QCOMPARE(shown.mid(0, texts.size()), texts);
    }

    void layerWithoutConvergence() {
        Inputs inputs;
        inputs.model.Layers[1].Status = ResultStatus::NoConvergence;
        QCOMPARE(RowTexts(inputs.view(), 1).Resistance, QStringLiteral("no result"));
    }

    // The width is that of a shorter text plus a slack, so the fonts of the machine do not matter.
    void cutToWidth_data() {
        QTest::addColumn<bool>("ellipsis");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("widthOf");
        QTest::addColumn<double>("slack");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* tag, bool ellipsis, const char* text, const QString& widthOf,
                      double slack, const QString& expected) {
            QTest::newRow(tag) << ellipsis << QString(text) << widthOf << slack << expected;
        };
        const QString dots = QStringLiteral("\u2026");
        row("fits", false, "abcdef", "abcdef", 0.0, "abcdef");
        row("exactly three", false, "abcdef", "abc", 0.0, "abc");
        row("a hair short of three", false, "abcdef", "abc", -0.01, "ab");
        row("nothing fits", false, "abcdef", "", -1.0, "");
        row("empty stays empty", false, "", "", -1.0, "");
        row("elided: fits", true, "abcdef", "abcdef", 0.0, "abcdef");
        row("elided: three and the dots", true, "abcdef", "abc" + dots, 0.0, "abc" + dots);
        row("elided: a hair short", true, "abcdef", "abc" + dots, -0.01, "ab" + dots);
        row("elided: not even the dots", true, "abcdef", dots, -0.01, "");
    }

    void cutToWidth() {
        QFETCH(bool, ellipsis);
        QFETCH(QString, text);
        QFETCH(QString, widthOf);
        QFETCH(double, slack);
        QFETCH(QString, expected);
        QImage image = WhitePicture(200, 200);
        ImageSurface s(image, QSizeF(3000, 3000));
        const double width = s.surface.TextWidth(widthOf) + slack;
        QCOMPARE(
            ellipsis ? ElideToWidth(s.surface, text, width) : CutToWidth(s.surface, text, width),
            expected);
    }

    void fitTextBreak_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("widthOf");
        QTest::addColumn<int>("count");
        auto row = [](const char* tag, const char* text, const char* widthOf, int count) {
            QTest::newRow(tag) << QString(text) << QString(widthOf) << count;
        };
        row("all fits", "ab cd", "ab cd ef", 5);
        row("line feed ends the line", "ab\ncd", "ab cd ef", 3);
        row("line feed after CR", "ab\r\ncd", "ab cd ef", 4);
        row("after the last blank that fits", "ab cd ef", "ab cd", 3);
        row("word wider than the line", "abcdefghij", "abcd", 4);
        row("nothing at all", "", "ab", 0);
    }

    void fitTextBreak() {
        QFETCH(QString, text);
        QFETCH(QString, widthOf);
        QFETCH(int, count);
        QImage image = WhitePicture(200, 200);
        ImageSurface s(image, QSizeF(3000, 3000));
        QCOMPARE(FitTextBreak(s.surface, text, s.surface.TextWidth(widthOf) + 0.01), count);
    }

    void wrappedLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("blank line kept")
            << "ab\r\n\r\n  cd" << 3000.0 << QStringList{"ab", "", "cd"};
        QTest::newRow("too narrow for a letter") << "abc" << 0.0 << QStringList{"a", "b", "c"};
    }

    void wrappedLines() {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(QStringList, lines);
        QImage image = WhitePicture(200, 200);
        ImageSurface s(image, QSizeF(3000, 3000));
        QCOMPARE(WrappedLines(s.surface, text, width), lines);
    }

    // A 1-pixel rule is 0.5 pt on paper at least, the 5-pixel cone outline 1.2 pt (5 pixels of
    // a 300-dpi printer); on a picture a pixel stays a pixel.
    void lineWidths_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("drawWidth");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("points");
        const int printer = int(SurfaceKind::Printer);
        QTest::newRow("picture") << int(SurfaceKind::Picture) << 1 << 1200 << 0.06;
        QTest::newRow("printer, rule, 1200 dpi") << printer << 1 << 1200 << 0.5;
        QTest::newRow("printer, rule, 300 dpi") << printer << 1 << 300 << 0.5;
        QTest::newRow("printer, cone, 1200 dpi") << printer << 5 << 1200 << 1.2;
        QTest::newRow("printer, cone, 600 dpi") << printer << 5 << 600 << 1.2;
    }

    void lineWidths() {
        QFETCH(int, kind);
        QFETCH(int, drawWidth);
        QFETCH(int, dpi);
        QFETCH(double, points);
        QImage image = WhitePicture(100, 100, dpi);
        {
            ImageSurface s(image, image.size(), static_cast<SurfaceKind>(kind));
            s.surface.SetDrawWidth(drawWidth);
            s.surface.Line(0, 50, 100, 0);
        }
        int rows = 0;
        for (int y = 0; y < image.height(); ++y) rows += image.pixelColor(50, y) != Qt::white;
        QVERIFY2(std::abs(rows - points * dpi / 72.0) <= 1.0, qPrintable(QString::number(rows)));
    }

    void pictureColours_data() {
        QTest::addColumn<bool>("strip");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("colour");
        const QColor red(255, 0, 0);
        const QColor navy(0, 0, 128);
        QTest::newRow("scale: heat source") << false << QPoint(200, 11) << red;
        QTest::newRow("scale: unlimited layer") << false << QPoint(50, 50) << kBlue;
        QTest::newRow("scale: narrow layer") << false << QPoint(200, 150) << kGreen;
        QTest::newRow("scale: beside it") << false << QPoint(10, 150) << QColor(Qt::white);
        QTest::newRow("scale: base") << false << QPoint(200, 195) << navy;
        QTest::newRow("scale: cone edge") << false << QPoint(286, 12) << QColor(Qt::black);
        QTest::newRow("strip: heat source") << true << QPoint(50, 35) << red;
        QTest::newRow("strip: layer 1") << true << QPoint(40, 110) << kBlue;
        QTest::newRow("strip: layer 2") << true << QPoint(40, 173) << kGreen;
        QTest::newRow("strip: base") << true << QPoint(100, 240) << navy;
    }

    void pictureColours() {
        QFETCH(bool, strip);
        QFETCH(QPoint, pixel);
        QFETCH(QColor, colour);
        const Inputs inputs;
        QImage image = strip ? WhitePicture(120, 247) : WhitePicture(400, 200);
        {
            ImageSurface s(image, image.size());
            QVERIFY(strip ? DrawLayerStrip(s.surface, inputs.view()).has_value()
                          : DrawScaleView(s.surface, false, inputs.view()).has_value());
        }
        QCOMPARE(image.pixelColor(pixel), colour);
    }

    void clickLimitsOnlyFromTheScreen_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("previewMode");
        QTest::addColumn<bool>("limits");
        QTest::newRow("screen") << int(SurfaceKind::Picture) << false << true;
        QTest::newRow("preview") << int(SurfaceKind::Picture) << true << false;
        QTest::newRow("printer") << int(SurfaceKind::Printer) << false << false;
    }

    void clickLimitsOnlyFromTheScreen() {
        QFETCH(int, kind);
        QFETCH(bool, previewMode);
        QFETCH(bool, limits);
        const Inputs inputs;
        QImage image = WhitePicture(300, 400);
        ImageSurface s(image, QSizeF(11180, 16120), static_cast<SurfaceKind>(kind));
        QCOMPARE(DrawScaleView(s.surface, previewMode, inputs.view()).has_value(), limits);
        QCOMPARE(DrawDataTable(s.surface, previewMode, inputs.view()).has_value(), limits);
    }

    void damagedModelsDrawWithoutHarm_data() {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("thickness");
        QTest::addColumn<float>("angle");
        QTest::addColumn<int>("colorIndex");
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float huge = 3e38f;
        QTest::newRow("not a number") << nan << nan << nan << 0;
        QTest::newRow("huge") << huge << huge << 89.9999f << 0;
        QTest::newRow("negative") << -5.0f << -1.0f << -45.0f << 0;
        QTest::newRow("right angle") << 1.0f << 1.0f << 90.0f << 0;
        QTest::newRow("colour beyond the palette") << 1.0f << 1.0f << 45.0f << 42;
    }

    void damagedModelsDrawWithoutHarm() {
        QFETCH(float, width);
        QFETCH(float, thickness);
        QFETCH(float, angle);
        QFETCH(int, colorIndex);
        Inputs inputs;
        inputs.model.Layers[2] = MakeLayer(thickness, width, angle, colorIndex);
        inputs.model.ModelComments = std::string(100000, 'x');
        RecalculateModel(inputs.model, inputs.materials);
        QImage image = WhitePicture(400, 300);
        ImageSurface s(image, QSizeF(11180, 16120), SurfaceKind::Printer);
        Preferences prefs;
        prefs.UserInfoInclude.fill(true);
        const std::string program = "Strativex";
        DrawReport(s.surface, false, ReportInputs{inputs.view(), prefs, program});
        QVERIFY(ComputeScaleView(inputs.model, 400, 200, ViewLayout::Screen).Top[3] <= 200);
    }
};

QTEST_MAIN(TestViewsDrawing)
#include "test_views_drawing.moc"
