#include <QtTest>

#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

#include "core/number_format.h"
#include "core/thermal_calc.h"
#include "support/pdf_text.h"
#include "support/run_program.h"
#include "support/views_fixtures.h"
#include "views/report/program_version.h"
#include "views/report/report_output.h"
#include "views/report/report_paper.h"
#include "views/report/report_pdf.h"
#include "views/report/today_date.h"
#include "views/surface/view_fonts.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

// The PDF measures in points from the paper's corner; the page's twips start at the margin.
constexpr double kMarginPoints = 18.0;
constexpr double kTwipsPerPoint = 20.0;

// Layer 2 is a custom material whose conductivity falls with temperature.
struct Report {
    Model model = TwoLayerModel();
    MaterialTable materials = TwoMaterials();
    Preferences prefs;
    std::string programName = "Strativex";
    const ExactCheckSummary* exact = nullptr;

    Report() {
        model.ModelName = "Amplifier flange study";
        model.ModelFileName = "spreader.mdl";
        model.ModelComments = "Base held by the fluid loop.";
        model.PowerDissipation = 10.0f;
        model.Layers[1].Description = "Spreader";
        model.Layers[2].Description = "Carrier";
        model.Layers[2].Width = model.Layers[2].Length = 5.0f;
        materials.Materials[2] = {"Alumina", kAlumina, 30.0f, -0.8f};
        materials.FirstCustomIndex = 2;
        materials.CustomCount = 1;
        RecalculateModel(model, materials);
        prefs.UserInfoText[0] = "Ann Example";
        prefs.UserInfoText[1] = "Example Devices";
    }
    ReportInputs inputs() const {
        return {{model, materials, prefs.DecimalDigits, StandardLayerPalette()},
                prefs,
                programName,
                exact};
    }
    QString value(double v, int slot) const {
        return QString::fromStdString(FormatValue(v, slot, prefs.DecimalDigits));
    }
    QString celsius(int layer) const {
        return value(static_cast<double>(model.Layers[layer].TopTemp) - 273.16, kTemperatureSlot);
    }
};

QPageLayout Paper(QPageSize::PageSizeId id) {
    QPageLayout layout = DefaultReportPageLayout();
    layout.setPageSize(QPageSize(id));
    return layout;
}

QPageLayout A4() {
    return Paper(QPageSize::A4);
}

QString SavedPdf(const QTemporaryDir& dir, const QByteArray& pdf) {
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return {};
    return path;
}

// Each page's text with the lines kept as the page shows them, every run of blanks one blank.
QStringList PdfPages(const QByteArray& pdf) {
    QTemporaryDir dir;
    const Run run = RunProgram(QStringLiteral("pdftotext"),
                               {"-layout", "-enc", "UTF-8", SavedPdf(dir, pdf), "-"});
    QStringList pages = QString::fromUtf8(run.Out).split(QLatin1Char('\f'));
    for (QString& page : pages) page.replace(QRegularExpression(QStringLiteral("[ \\t]+")), " ");
    return pages;
}

struct Word {
    QString Text;
    double XMin = 0;
    double XMax = 0;
    double YMin = 0;
};

QList<Word> PdfWords(const QByteArray& pdf) {
    static const QRegularExpression element(
        QStringLiteral("<word xMin=\"([^\"]+)\" yMin=\"([^\"]+)\" xMax=\"([^\"]+)\" "
                       "yMax=\"[^\"]+\">([^<]*)</word>"));
    QTemporaryDir dir;
    const Run run = RunProgram(QStringLiteral("pdftotext"),
                               {"-bbox", "-f", "1", "-l", "1", SavedPdf(dir, pdf), "-"});
    QList<Word> words;
    for (const auto& match : element.globalMatch(QString::fromUtf8(run.Out))) {
        words.append({match.captured(4), match.captured(1).toDouble(), match.captured(3).toDouble(),
                      match.captured(2).toDouble()});
    }
    return words;
}

// What draw(writer) leaves in an A4 PDF; nothing when it fails.
template <typename Draw>
QByteArray A4Pdf(Draw draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(A4());
        if (!draw(writer)) return {};
    }
    return buffer.data();
}

// The base font's line height on the printer page, in twips.
double BaseTextHeightTwips() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    const QFontMetricsF metrics(ViewFont(kSansFontName, 12, true, false), &writer);
    return metrics.lineSpacing() * 1440.0 / 1200.0;
}

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

class TestViewsReport : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!HasPopplerTools()) QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
    }

    void reportPage_data() {
        QTest::addColumn<bool>("information");
        QTest::addColumn<bool>("printed");
        QTest::newRow("exported, with the information lines") << true << false;
        QTest::newRow("printed, without them") << false << true;
    }

    void reportPage() {
        QFETCH(bool, information);
        QFETCH(bool, printed);
        Report report;
        report.prefs.UserInfoInclude.fill(information);
        // Too wide for the material column: cut, never wrapped.
        report.materials.Materials[2].Name = "Alumina 96% ceramic substrate TAIL";
        const QByteArray pdf =
            printed
                ? A4Pdf([&](QPdfWriter& writer) { return PrintReport(writer, report.inputs()); })
                : ReportPdf(report.inputs(), A4());
        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size() - 1, printed ? 1 : 2);  // a form feed ends every page
        const QString text = pages[0];
        const Model& m = report.model;
        // "(infinite)" and "Amplifier flange" would lose their "fi" and "fl" to ligatures.
        QStringList present{"JOR",        "Strativex", "Copper",  "Alumina",
                            "(infinite)", "10.00 W",   "Top Temp"};
        present << report.celsius(1) << report.value(m.Layers[2].Resistance, kResistanceSlot)
                << report.value(*TotalResistance(m), kResistanceSlot);
        const QStringList lines{
            "Amplifier flange study", "spreader.mdl",    "Created by:", "Ann Example", "Company:",
            "Example Devices",        "Model Comments:", "fluid loop"};
        QStringList absent{"TAIL", "Calculation details", QStringLiteral("\uFB01"),
                           QStringLiteral("\uFB02")};
        (information ? present : absent) << lines;
        for (const QString& part : present) {
            QVERIFY2(text.contains(part), qPrintable(part + " missing from:\n" + text));
        }
        for (const QString& part : absent) QVERIFY2(!text.contains(part), qPrintable(part));
    }

    // The preview shows where the table's texts go, not the texts.
    void previewShowsPlaceholders() {
        const Report report;
        const QByteArray pdf = A4Pdf([&](QPdfWriter& writer) {
            QPainter painter(&writer);
            DrawingSurface surface(painter, QRectF(0, 0, writer.width(), writer.height()),
                                   PageTwips(writer), SurfaceKind::Picture);
            DrawReport(surface, true, report.inputs());
            return true;
        });
        const QString text = PdfPages(pdf).value(0);
        QVERIFY(text.contains("-----") && text.contains("Strativex"));
        QVERIFY(!text.contains("Copper") && !text.contains("Material"));
    }

    void detailsPage_data() {
        QTest::addColumn<int>("materialId");  // of layer 2
        QTest::addColumn<QStringList>("lines");
        const Report r;
        const Model& m = r.model;
        QTest::newRow("every layer computed")
            << kAlumina
            << QStringList{
                   "Model name: Amplifier flange study", "File: spreader.mdl",
                   "Program: Strativex " + ProgramVersionText(),
                   "Units: lengths in mm, areas in mm², power in W, temperatures in °C",
                   "Heat source 2 2", "1 Spreader Copper 1 3.9 0 1 no limit no limit 45",
                   "2 Carrier Alumina (custom) 2 30 -0.8 1 5 5 45",
                   // K at the top, then the footprint at the bottom: 4 x 4, and 6 x 6 cut to 5 x 5.
                   "1 3.900 390.0 16.00 " + r.value(m.Layers[1].Resistance, kResistanceSlot) + " " +
                       r.celsius(1) + " ok",
                   "25.00 " + r.value(m.Layers[2].Resistance, kResistanceSlot) + " " +
                       r.celsius(2) + " ok",
                   "Power: 10 W",
                   "Total resistance: " + r.value(*TotalResistance(m), kResistanceSlot) + " C/W",
                   "Heat source temperature: " + r.celsius(1) + " °C", "Isothermal base: 25 °C",
                   "----- no material chosen",
                   "material? the layer's material is not in the materials tables",
                   "n/a a layer below has no result", "Base held by the fluid loop."};
        QTest::newRow("material missing")
            << 77
            << QStringList{"2 Carrier material? 77 1 5 5 45", "1 n/a n/a 16.00 n/a n/a n/a",
                           "2 material? material? 25.00 material? material? material?",
                           "Total resistance: n/a", "Heat source temperature: n/a"};
    }

    void detailsPage() {
        QFETCH(int, materialId);
        QFETCH(QStringList, lines);
        Report report;
        report.model.Layers[2].MaterialId = static_cast<std::int16_t>(materialId);
        RecalculateModel(report.model, report.materials);
        const QString page = PdfPages(ReportPdf(report.inputs(), A4())).value(1);
        QVERIFY2(page.startsWith("Calculation details"), qPrintable(page));
        for (const QString& line : lines) {
            QVERIFY2(page.contains(line), qPrintable(line + " missing from:\n" + page));
        }
        QVERIFY(
            page.contains(QRegularExpression("Date and time: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d")));
        QVERIFY(!page.contains("3-D"));
    }

    // K = A * T^B at the layer's top temperature, to the four digits shown.
    void detailsConductivityAtTheTopTemperature() {
        const Report report;
        const QString page = PdfPages(ReportPdf(report.inputs(), A4())).value(1);
        const QRegularExpressionMatch row =
            QRegularExpression("\\n ?2 ([0-9.]+) ([0-9.]+) 25.00").match(page);
        QVERIFY2(row.hasMatch(), qPrintable(page));
        const double expected = 30.0 * std::pow(report.model.Layers[2].TopTemp, -0.8);
        QVERIFY(std::fabs(row.captured(1).toDouble() / expected - 1.0) < 5e-4);
        QVERIFY(std::fabs(row.captured(2).toDouble() / (100 * expected) - 1.0) < 5e-4);
    }

    void exactCheckSection_data() {
        QTest::addColumn<bool>("angle");
        QTest::addColumn<bool>("map");
        QTest::newRow("equivalent angle and map") << true << true;
        QTest::newRow("no angle reproduces it, no map") << false << false;
    }

    void exactCheckSection() {
        QFETCH(bool, angle);
        QFETCH(bool, map);
        auto result = std::make_shared<exact::ExactResult>();
        result->AverageSourceTempC = 51.234;
        result->PeakSourceTempC = 58.5;
        result->AverageResistance = 2.6234;
        result->PeakResistance = 3.35;
        result->AverageErrorPercent = 0.12;
        result->EstimateErrorPercent = -23.46;
        if (angle) result->EquivalentAngleDeg = 31.46;
        result->LayerTopTempC = {50.5, 40.25};
        result->Cells = 96000;
        ExactCheckSummary exact{result, {}};
        QRectF painted;
        const QRectF page(QPointF(), LayoutPageTwips(A4()) / 20.0 * 1200.0 / 72.0);
        if (map) exact.DrawCrossSection = [&](QPainter&, const QRectF& box) { painted = box; };
        Report report;
        report.exact = &exact;
        // The numbers share the width with the map, so they may wrap.
        const QString text = PdfPages(ReportPdf(report.inputs(), A4())).value(1).simplified();
        const QStringList lines{
            "3-D average: 51.23 °C over the heat source, resistance 2.62 C/W",
            "3-D peak: 58.50 °C at the heat source, resistance 3.35 C/W",
            "Spreading-angle estimate: " + report.celsius(1) + " °C, its rise -23.5 %",
            angle ? "Equivalent angle: 31.5 degrees" : "Equivalent angle: none",
            "about 0.1 % of the average rise, on 96000 cells",
            report.celsius(2) + " 40.25 ok"};
        for (const QString& line : lines) {
            QVERIFY2(text.contains(line), qPrintable(line + " missing from:\n" + text));
        }
        QCOMPARE(painted.isValid(), map);
        if (map) QVERIFY(painted.left() > page.center().x() && page.contains(painted));
    }

    // The comment lines follow each other at the line height, H / 40; a line is drawn while
    // the one before it ended above the box's bottom, so the last may overlap the bottom.
    void commentsLineHeightAndCutOff_data() {
        QTest::addColumn<int>("paper");
        QTest::newRow("A4") << int(QPageSize::A4);
        QTest::newRow("Letter") << int(QPageSize::Letter);
    }

    void commentsLineHeightAndCutOff() {
        QFETCH(int, paper);
        const QPageLayout layout = Paper(static_cast<QPageSize::PageSizeId>(paper));
        Report report;
        report.prefs.UserInfoInclude[5] = true;
        QStringList lines;
        for (int i = 1; i <= 60; ++i) lines << QStringLiteral("line%1").arg(i, 2, 10, QChar('0'));
        report.model.ModelComments = lines.join("\r\n").toStdString();
        const double height = LayoutPageTwips(layout).height();
        const int top = Round(height * 0.03);
        const int lineHeight = Round(height / 40);
        const int bottom = Round(height * 0.475);
        int expected = 0;
        while (top + expected * lineHeight + BaseTextHeightTwips() < bottom) ++expected;

        QList<double> tops;
        for (const Word& word : PdfWords(ReportPdf(report.inputs(), layout))) {
            if (!word.Text.startsWith("line")) continue;
            QCOMPARE(word.Text.mid(4).toInt(), tops.size() + 1);  // none lost or joined
            tops << word.YMin;
        }
        QCOMPARE(tops.size(), expected);
        QVERIFY(std::fabs(tops[0] - (top + lineHeight) / kTwipsPerPoint - kMarginPoints) < 1.0);
        for (qsizetype i = 1; i < tops.size(); ++i) {
            QVERIFY(std::fabs(tops[i] - tops[i - 1] - lineHeight / kTwipsPerPoint) < 0.01);
        }
    }

    // A text too long for its place ends in "…" and stays within it: the model name left of
    // the information labels, a value and the file name inside the right margin.
    void longTextsAreElided_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        const double width = LayoutPageTwips(A4()).width();
        const auto points = [](double twips) { return kMarginPoints + twips / kTwipsPerPoint; };
        const double labels = points(Round(width * 0.5) - Round(width / 80));
        const double margin = points(Round(width * 0.95));
        QTest::newRow("model name") << 6 << kMarginPoints << labels;
        QTest::newRow("information value") << 0 << labels << margin;
        QTest::newRow("file name") << 7 << labels << margin;
    }

    void longTextsAreElided() {
        QFETCH(int, slot);
        QFETCH(double, left);
        QFETCH(double, right);
        Report report;
        report.prefs.UserInfoInclude[static_cast<std::size_t>(slot)] = true;
        const std::string text = "xxx" + std::string(300, 'x') + " TAILMARK";
        report.model.ModelName = report.model.ModelFileName = report.prefs.UserInfoText[0] = text;
        bool seen = false;
        for (const Word& word : PdfWords(ReportPdf(report.inputs(), A4()))) {
            QVERIFY(!word.Text.contains("TAILMARK"));
            if (!word.Text.startsWith("xxx")) continue;
            seen = true;
            QVERIFY(word.Text.endsWith(QStringLiteral("\u2026")));
            QVERIFY2(word.XMin >= left - 0.5 && word.XMax <= right + 0.5,
                     qPrintable(QStringLiteral("%1..%2").arg(word.XMin).arg(word.XMax)));
            QVERIFY(word.XMax > right - 20);
        }
        QVERIFY(seen);
    }

    void defaultPaper_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("paper");
        QTest::newRow("United States")
            << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Letter);
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany)
                                 << int(QPageSize::A4);
    }

    void defaultPaper() {
        QFETCH(QLocale, locale);
        QFETCH(int, paper);
        QCOMPARE(int(DefaultReportPageLayout(locale).pageSize().id()), paper);
    }

    // The month in the desktop's language, unless prefs.txt's code page cannot hold it.
    void dateText_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << QLocale(QLocale::English) << "5 March 2026";
        QTest::newRow("German") << QLocale(QLocale::German) << "5 März 2026";
        QTest::newRow("Russian, in English") << QLocale(QLocale::Russian) << "5 March 2026";
        QTest::newRow("Greek, in English") << QLocale(QLocale::Greek) << "5 March 2026";
    }

    void dateText() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(DateText(QDate(2026, 3, 5), locale), text);
    }
};

QTEST_MAIN(TestViewsReport)
#include "test_views_report.moc"
