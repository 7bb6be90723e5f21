#include <QtTest>

#include <QTemporaryDir>

#include "core/thermal_calc.h"
#include "support/pdf_text.h"
#include "support/views_fixtures.h"
#include "views/report/report_paper.h"
#include "views/report/report_pdf.h"
#include "views/stack/layer_palette.h"

using namespace strativex;
using namespace strativex::testing;

namespace {

// A two-stage result as the Transient window hands it over.
TransientSummary TwoStages() {
    TransientSummary summary;
    summary.SteadyZthAverage = 1.234;
    summary.SteadyZthPeak = 1.5;
    summary.FitErrorPercent = 0.42;
    summary.Base = QStringLiteral("heat sink 0.5 K/W");
    summary.Foster.Stages = {{0.3, 0.004}, {1.2, 0.25}};
    summary.Cauer.Stages = {{0.2718, 0.00377}, {1.2282, 0.2562}};
    return summary;
}

QString DetailsText(const TransientSummary* transient) {
    Model model = TwoLayerModel();
    const MaterialTable materials = TwoMaterials();
    RecalculateModel(model, materials);
    const Preferences prefs;
    const std::string program = "Strativex";
    ReportInputs inputs{
        {model, materials, prefs.DecimalDigits, StandardLayerPalette()}, prefs, program};
    inputs.transient = transient;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile file(path);
    const QByteArray pdf = ReportPdf(inputs, DefaultReportPageLayout());
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return {};
    file.close();
    return PdfText(path);
}

}  // namespace

class TestReportTransient : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!HasPopplerTools()) QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
    }

    // The section, its numbers and its picture come with a result, and without one there is
    // no trace of them.
    void sectionOnlyWithAResult_data() {
        QTest::addColumn<bool>("computed");
        QTest::newRow("computed") << true;
        QTest::newRow("not computed") << false;
    }
    void sectionOnlyWithAResult() {
        QFETCH(bool, computed);
        TransientSummary summary = TwoStages();
        QRectF painted;
        summary.DrawZth = [&](QPainter&, const QRectF& box) { painted = box; };
        const QString text = DetailsText(computed ? &summary : nullptr);
        QVERIFY(text.contains(QStringLiteral("Calculation details")));
        const QStringList parts{QStringLiteral("Transient"),
                                QStringLiteral("average 1.234 K/W, peak 1.5 K/W"),
                                QStringLiteral("heat sink 0.5 K/W"),
                                QStringLiteral("2 stages, fit error 0.42 %"),
                                QStringLiteral("Foster R"),
                                QStringLiteral("Cauer C"),
                                QStringLiteral("0.004"),
                                QStringLiteral("0.2718"),
                                QStringLiteral("1.228")};
        for (const QString& part : parts) {
            QVERIFY2(text.contains(part) == computed, qPrintable(part + " in:\n" + text));
        }
        QCOMPARE(painted.isValid(), computed);
    }
};

QTEST_MAIN(TestReportTransient)
#include "test_report_transient.moc"
