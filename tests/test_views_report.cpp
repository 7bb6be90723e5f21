#include <QtTest>

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/number_format.h"
#include "core/thermal_calc.h"
#include "support/views_fixtures.h"
#include "views/report_output.h"
#include "views/report_paper.h"
#include "views/report_pdf.h"
#include "views/today_date.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

// A4 less quarter-inch margins is 11180 x 16120 twips; the PDF measures in points from the
// paper's corner.
constexpr double kMarginPoints = 18.0;
constexpr double kCommentsBottomPoints = kMarginPoints + 7657 / 20.0;
constexpr double kRightMarginPoints = kMarginPoints + 10621 / 20.0;

struct Report {
    Model model = TwoLayerModel();
    MaterialTable materials = TwoMaterials();
    Preferences prefs;
    std::string programName = "Strativex";

    Report() {
        model.ModelName = "Spreader study";
        model.ModelFileName = "spreader.mdl";
        model.PowerDissipation = 10.0f;
        RecalculateModel(model, materials);
        prefs.UserInfoText[0] = "Ann Example";
        prefs.UserInfoText[1] = "Example Devices";
    }
    ReportInputs inputs() const {
        return {
            {model, materials, prefs.DecimalDigits, StandardLayerPalette()}, prefs, programName};
    }
    QString value(double v, int slot) const {
        return QString::fromStdString(FormatValue(v, slot, prefs.DecimalDigits));
    }
};

QPageLayout A4() {
    return DefaultReportPageLayout(QLocale(QLocale::German, QLocale::Germany));
}

bool HavePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of a PDF as pdftotext reads it; with bbox, one "<word ...>" element per word.
QString PdfText(const QByteArray& pdf, bool bbox = false) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return {};
    file.close();
    QProcess process;
    QStringList args;
    if (bbox) args << QStringLiteral("-bbox");
    process.start(QStringLiteral("pdftotext"), args << path << QStringLiteral("-"));
    if (!process.waitForFinished(30000)) return {};
    // The table's "fi" may come back as a ligature.
    return QString::fromUtf8(process.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC);
}

struct Word {
    QString Text;
    double XMax = 0;
    double YMin = 0;
};

QList<Word> PdfWords(const QByteArray& pdf) {
    static const QRegularExpression element(
        QStringLiteral("<word xMin=\"[^\"]+\" yMin=\"([^\"]+)\" xMax=\"([^\"]+)\" "
                       "yMax=\"[^\"]+\">([^<]*)</word>"));
    QList<Word> words;
    for (const auto& match : element.globalMatch(PdfText(pdf, true))) {
        words.append(
            {match.captured(3), match.captured(2).toDouble(), match.captured(1).toDouble()});
    }
    return words;
}

}  // namespace

class TestViewsReport : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!HavePdfToText()) QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void pdfHoldsTheReport_data() {
        QTest::addColumn<bool>("information");
        QTest::newRow("with the information lines") << true;
        QTest::newRow("without them") << false;
    }

    void pdfHoldsTheReport() {
        QFETCH(bool, information);
        Report report;
        report.prefs.UserInfoInclude.fill(information);
        // Too wide for the material column: cut, never wrapped.
        report.materials.Materials[2].Name = "Alumina 96% ceramic substrate TAIL";
        const QString text = PdfText(ReportPdf(report.inputs(), A4()));
        const Model& m = report.model;
        QStringList present{"JOR",        "Strativex", "Copper",  "Alumina",
                            "(infinite)", "10.00 W",   "Top Temp"};
        present << report.value(static_cast<double>(m.Layers[1].TopTemp) - 273.16, kTemperatureSlot)
                << report.value(m.Layers[2].Resistance, kResistanceSlot)
                << report.value(*TotalResistance(m), kResistanceSlot);
        const QStringList lines{
            "Spreader study", "spreader.mdl",    "Created by:",    "Ann Example",
            "Company:",       "Example Devices", "Model Comments:"};
        QStringList absent{"TAIL"};
        (information ? present : absent) << lines;
        if (!information) absent << "Comments";
        for (const QString& part : present) {
            QVERIFY2(text.contains(part), qPrintable(part + " missing from:\n" + text));
        }
        for (const QString& part : absent) QVERIFY2(!text.contains(part), qPrintable(part));
    }

    void pdfSaysWhyResultsAreMissing() {
        Report report;
        report.model.Layers[2].MaterialId = 77;
        RecalculateModel(report.model, report.materials);
        const QString text = PdfText(ReportPdf(report.inputs(), A4()));
        QVERIFY(text.contains("material?"));
        QCOMPARE(text.count("n/a"), 3);  // layer 1's temperature and resistance, the total
    }

    void previewShowsPlaceholders() {
        Report report;
        QByteArray pdf;
        {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setPageLayout(A4());
            QPainter painter(&writer);
            DrawingSurface surface(painter, QRectF(0, 0, writer.width(), writer.height()),
                                   PageTwips(writer), SurfaceKind::Picture);
            DrawReport(surface, true, report.inputs());
        }
        const QString text = PdfText(pdf);
        QVERIFY(text.contains("-----") && text.contains("Strativex"));
        QVERIFY(!text.contains("Copper") && !text.contains("Material"));
    }

    void informationValueCutAtRightMargin() {
        Report report;
        report.prefs.UserInfoInclude[0] = true;
        report.prefs.UserInfoText[0] = "Ann " + std::string(300, 'x') + " TAILMARK";
        const QList<Word> words = PdfWords(ReportPdf(report.inputs(), A4()));
        bool sawValue = false;
        for (const Word& word : words) {
            QVERIFY(!word.Text.contains("TAILMARK"));
            if (word.Text.startsWith("xxx")) {
                sawValue = true;
                QVERIFY2(word.XMax <= kRightMarginPoints + 0.5,
                         qPrintable(QString::number(word.XMax)));
                QVERIFY(word.XMax > kRightMarginPoints - 15);
            }
        }
        QVERIFY(sawValue);
    }

    void commentsCutAtBoxBottom() {
        Report report;
        report.prefs.UserInfoInclude[5] = true;
        QStringList lines;
        for (int i = 1; i <= 60; ++i) lines << QStringLiteral("line%1").arg(i, 2, 10, QChar('0'));
        report.model.ModelComments = lines.join("\r\n").toStdString();
        int last = 0;
        for (const Word& word : PdfWords(ReportPdf(report.inputs(), A4()))) {
            if (!word.Text.startsWith("line")) continue;
            const int number = word.Text.mid(4).toInt();
            QCOMPARE(number, last + 1);  // one per line, none lost or joined
            QVERIFY2(word.YMin < kCommentsBottomPoints, qPrintable(word.Text));
            last = number;
        }
        QVERIFY2(last >= 15 && last < 25, qPrintable(QString::number(last)));
    }

    void exportWritesTheFile() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("report.pdf").toStdString();
        const Report report;
        QVERIFY(ExportReportPdf(path, report.inputs(), A4()).Ok);
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-");
        QVERIFY(!ExportReportPdf(dir.filePath("missing/report.pdf").toStdString(), report.inputs(),
                                 A4())
                     .Ok);
    }

    void defaultPaper_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("paper");
        QTest::newRow("United States")
            << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Letter);
        QTest::newRow("United Kingdom")
            << QLocale(QLocale::English, QLocale::UnitedKingdom) << int(QPageSize::A4);
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
        QTest::newRow("French") << QLocale(QLocale::French) << "5 mars 2026";
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
