#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

#include "analysis/transient_plot_view.h"
#include "analysis/transient_window.h"
#include "core/material_loader.h"
#include "core/thermal_calc.h"
#include "mainwindow/main_window.h"
#include "persistence/model_file.h"
#include "persistence/preferences.h"
#include "support/column_stack.h"
#include "support/file_bytes.h"
#include "support/pdf_text.h"
#include "support/program_folder.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;
using namespace column_stack;

namespace {

const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");
// The column settles within a second of simulated time; its solve takes a few seconds.
constexpr int kComputeTimeoutMs = 120000;

// The transient's steady end against the exact steady solution.
constexpr double kSteadyTolerance = 0.005;
// The table shows four significant digits.
constexpr double kShownRounding = 0.0005;

// A transient window on a state of its own whose materials live in a folder of the test's.
struct Session {
    AppState state;
    ScriptedDesktop desktop;
    std::uint64_t revision = 0;
    std::unique_ptr<TransientWindow> window;

    Session(const QString& materialsFolder, Model model) {
        state.materialPaths = MaterialPathsIn(materialsFolder.toStdString());
        LoadMaterials(state.materials, state.materialPaths, std::nullopt);
        state.model = std::move(model);
        RecalculateModel(state.model, state.materials);
        window = std::make_unique<TransientWindow>(state, desktop, [] { return true; });
    }

    TransientWindow& W() const { return *window; }
    template <typename Control>
    Control* C(const char* name) const {
        return Child<Control>(*window, QString::fromLatin1(name));
    }
    void ModelChanged() { window->ModelChanged(++revision); }
    QString Status() const { return C<QLabel>("LblStatus")->text(); }
    // Compute, and wait until the solve has ended one way or the other.
    void Compute() const {
        C<QPushButton>("CmdCompute")->click();
        QTRY_VERIFY_WITH_TIMEOUT(C<QPushButton>("CmdCompute")->isEnabled(), kComputeTimeoutMs);
    }
    double Cell(int row, int column) const {
        const QTableWidgetItem* item = C<QTableWidget>("TableNetworks")->item(row, column);
        return item == nullptr ? 0.0 : item->text().toDouble();
    }
    int Rows() const { return C<QTableWidget>("TableNetworks")->rowCount(); }
    void TypePulse(const QString& power, const QString& width, const QString& period,
                   bool single) const {
        C<QCheckBox>("ChkSinglePulse")->setChecked(single);
        for (const auto& [name, text] :
             {std::pair{"TxtPulsePower", power}, std::pair{"TxtPulseWidth", width},
              std::pair{"TxtPulsePeriod", period}}) {
            C<QLineEdit>(name)->clear();
            QTest::keyClicks(C<QLineEdit>(name), text);
        }
    }
};

// The peak rise per watt of pulses through a Foster network, each stage's own first-order
// answer: one pulse from the base temperature, or the periodic steady state.
double PulseZth(const exact::FosterNetwork& network, double width, double period) {
    double zth = 0.0;
    for (const exact::RcStage& stage : network.Stages) {
        const double tau = stage.R * stage.C;
        const double charged = 1.0 - std::exp(-width / tau);
        zth += stage.R * (period > 0.0 ? charged / (1.0 - std::exp(-period / tau)) : charged);
    }
    return zth;
}

// The number after the words, as the label shows it.
double NumberAfter(const QString& text, const QString& words) {
    const qsizetype at = text.indexOf(words);
    if (at < 0) return std::nan("");
    return text.mid(at + words.size()).section(QLatin1Char(' '), 0, 0).toDouble();
}

int PixelsOf(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == color;
    }
    return count;
}

}  // namespace

class TestTransientWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    // The column's window, computed once: the solve takes seconds.
    std::unique_ptr<Session> column_;

    QString Folder(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(PlantColumnMaterials(Folder("mats")));
        QVERIFY(PlantColumnMaterials(Folder("badheat"), true));
        column_ = std::make_unique<Session>(Folder("mats"), Column());
        column_->Compute();
    }

    void computeShowsCurveAndNetworks() {
        const Session& s = *column_;
        const exact::TransientReport* shown = s.W().Shown();
        QVERIFY(shown != nullptr);
        QVERIFY2(shown->HasNetworks(), qPrintable(s.Status()));
        QVERIFY(!s.W().IsOutOfDate());
        QVERIFY(s.Status().contains("K/W"));
        QVERIFY(s.C<QLabel>("LblFitError")->text().contains("fit error"));
        QVERIFY(s.Rows() >= 1);
        QVERIFY(s.Rows() <= 12);
        QVERIFY(s.C<QPushButton>("CmdExportCsv")->isEnabled());
        QVERIFY(s.C<QPushButton>("CmdExportSpice")->isEnabled());
        for (int row = 0; row < s.Rows(); ++row) {
            QVERIFY(s.Cell(row, 0) > 0.0);
            QVERIFY(s.Cell(row, 1) > 0.0);
            QVERIFY(s.Cell(row, 3) > 0.0);
            // tau = R C, as shown.
            QVERIFY(std::abs(s.Cell(row, 2) - s.Cell(row, 0) * s.Cell(row, 1)) <=
                    3 * kShownRounding * s.Cell(row, 2));
        }
    }

    // Both networks hold the whole resistance: the curve's end, and the slabs' in series.
    void networksSumToSteadyZth_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("Foster") << 0;
        QTest::newRow("Cauer") << 3;
    }
    void networksSumToSteadyZth() {
        QFETCH(int, column);
        const Session& s = *column_;
        const exact::TransientReport& shown = *s.W().Shown();
        double sum = 0.0;
        for (int row = 0; row < s.Rows(); ++row) sum += s.Cell(row, column);
        const double fitShare = shown.Foster.ErrorPercent / 100.0;
        const double lastZth = shown.Curve.ZthPeak.back();
        QVERIFY2(std::abs(sum - lastZth) <= (fitShare + s.Rows() * kShownRounding) * lastZth,
                 qPrintable(QString("sum %1, last %2").arg(sum).arg(lastZth)));
        QVERIFY2(std::abs(sum - kSteadyZth) <=
                     (fitShare + kSteadyTolerance + s.Rows() * kShownRounding) * kSteadyZth,
                 qPrintable(QString("sum %1, exact %2").arg(sum).arg(kSteadyZth)));
    }

    // Each plot draws its curves in its own colours: the Zth pair, the pulse family, the
    // structure function and its derivative.
    void everyPlotDrawsItsCurves_data() {
        QTest::addColumn<QString>("plot");
        QTest::addColumn<QColor>("color");
        QTest::newRow("Zth peak") << "PlotTransient" << QColor(192, 32, 48);
        QTest::newRow("single pulse") << "PlotPulses" << QColor(32, 32, 32);
        QTest::newRow("cumulative structure function") << "PlotStructure" << QColor(32, 88, 176);
        QTest::newRow("its derivative") << "PlotStructureDerivative" << QColor(208, 112, 0);
    }
    void everyPlotDrawsItsCurves() {
        QFETCH(QString, plot);
        QFETCH(QColor, color);
        const Session& s = *column_;
        auto* view = Child<TransientPlotView>(s.W(), plot);
        view->resize(600, 400);
        QVERIFY2(PixelsOf(view->grab().toImage(), color) > 100, qPrintable(plot));
    }

    // The peak temperature is the base's plus P times the network's pulse response.
    void pulseCalculatorGivesPeakTemperature_data() {
        QTest::addColumn<QString>("power");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("period");  // empty: a single pulse
        const auto row = [](const char* name, const char* power, const char* width,
                            const char* period) {
            QTest::newRow(name) << power << width << period;
        };
        row("single 1 ms pulse", "20", "0.001", "");
        row("D = 0.1", "50", "1e-3", "1e-2");
        row("D = 0.5, units typed", "5 W", "0.02 s", "0.04");
    }
    void pulseCalculatorGivesPeakTemperature() {
        QFETCH(QString, power);
        QFETCH(QString, width);
        QFETCH(QString, period);
        const Session& s = *column_;
        s.TypePulse(power, width, period, period.isEmpty());
        const auto number = [](QString text) {
            return text.remove(QRegularExpression("[ Ws]")).toDouble();
        };
        const double expected =
            s.state.model.IsothermalTemp +
            number(power) * PulseZth(s.W().Shown()->Foster.Network, number(width),
                                     period.isEmpty() ? 0.0 : number(period));
        const QString answer = s.C<QLabel>("LblPulsePeak")->text();
        const double shown = NumberAfter(answer, "Peak temperature ");
        QVERIFY2(std::abs(shown - expected) <= 5e-4 * std::abs(expected),
                 qPrintable(answer + " expected " + QString::number(expected)));
    }

    // A value the calculator cannot use is named, and no temperature is shown.
    void pulseCalculatorRefuses_data() {
        QTest::addColumn<QString>("power");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("named");
        const auto row = [](const char* name, const char* power, const char* width,
                            const char* period, const char* named) {
            QTest::newRow(name) << power << width << period << named;
        };
        row("width not a number", "20", "abc", "0.01", "\u201Cabc\u201D");
        row("decimal comma", "1,5", "0.001", "0.01", "\u201C1,5\u201D");
        row("no period", "20", "0.001", "", "period");
        row("pulse longer than its period", "20", "0.02", "0.01", "0.02 s");
        row("no power", "0", "0.001", "0.01", "power 0 W");
        row("negative width", "20", "-1", "0.01", "width -1 s");
    }
    void pulseCalculatorRefuses() {
        QFETCH(QString, power);
        QFETCH(QString, width);
        QFETCH(QString, period);
        QFETCH(QString, named);
        const Session& s = *column_;
        s.TypePulse(power, width, period, false);
        const QString answer = s.C<QLabel>("LblPulsePeak")->text();
        QVERIFY2(answer.contains(named), qPrintable(answer));
        QVERIFY2(!answer.contains("Peak temperature"), qPrintable(answer));
    }

    // Tab-separated, the curve sample by sample and then the networks, numbers that read back.
    void copyPutsCurveAndNetworksOnTheClipboard() {
        const Session& s = *column_;
        s.C<QPushButton>("CmdCopy")->click();
        const QStringList blocks = QGuiApplication::clipboard()->text().split("\n\n");
        QCOMPARE(blocks.size(), 2);
        const QStringList curve = blocks[0].split('\n');
        const exact::TransientResult& shown = s.W().Shown()->Curve;
        QCOMPARE(curve[0], QString("time_s\tzth_avg_k_per_w\tzth_peak_k_per_w"));
        QCOMPARE(static_cast<std::size_t>(curve.size() - 1), shown.TimeS.size());
        for (std::size_t i = 0; i < shown.TimeS.size(); ++i) {
            const QStringList fields = curve[static_cast<qsizetype>(i) + 1].split('\t');
            QCOMPARE(fields.size(), 3);
            QVERIFY(std::abs(fields[0].toDouble() / shown.TimeS[i] - 1.0) < 1e-9);
            QVERIFY(std::abs(fields[2].toDouble() / shown.ZthPeak[i] - 1.0) < 1e-9);
        }
        const QStringList networks = blocks[1].trimmed().split('\n');
        QVERIFY(networks[0].startsWith("stage\tfoster_r_k_per_w"));
        QCOMPARE(networks.size() - 1, s.Rows());
        double fosterSum = 0.0;
        double cauerSum = 0.0;
        for (qsizetype row = 1; row < networks.size(); ++row) {
            fosterSum += networks[row].split('\t').value(1).toDouble();
            cauerSum += networks[row].split('\t').value(4).toDouble();
        }
        QVERIFY(std::abs(fosterSum / cauerSum - 1.0) < 1e-6);
    }

    // The four plots, as a picture and on a page, through the safe writer.
    void plotsAreExported_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::newRow("PNG") << "CmdExportPng"
                             << "plots.png";
        QTest::newRow("PDF") << "CmdExportPdf"
                             << "plots.pdf";
    }
    void plotsAreExported() {
        QFETCH(QString, button);
        QFETCH(QString, file);
        Session& s = *column_;
        const QString path = dir_.filePath(file);
        s.desktop.files.push_back(path);
        Child<QPushButton>(s.W(), button)->click();
        QVERIFY(s.desktop.messages.empty());
        if (file.endsWith(".png")) {
            const QImage image(path);
            QCOMPARE(image.size(), Child<QWidget>(s.W(), "PlotsTransient")->size() * 2);
            QVERIFY(PixelsOf(image, QColor(192, 32, 48)) > 100);
            return;
        }
        QVERIFY(ReadBytes(path).startsWith("%PDF"));
        if (!HasPopplerTools()) QSKIP("pdftotext (poppler-utils) is not installed");
        const QString text = PdfText(path);
        for (const char* title : {"Thermal impedance", "Pulses", "Cumulative structure function",
                                  "Differential structure function", "D = 0.01"}) {
            QVERIFY2(text.contains(title), qPrintable(QString(title) + " not in: " + text));
        }
    }

    // The report takes the networks only from a result of the model as it is.
    void reportSummaryFollowsTheResult() {
        Session& s = *column_;
        const auto summary = s.W().ReportSummary();
        QVERIFY(summary.has_value());
        QCOMPARE(static_cast<int>(summary->Foster.Stages.size()), s.Rows());
        QCOMPARE(summary->Base, QString("isothermal"));
        QImage picture(560, 340, QImage::Format_RGB32);
        QPainter painter(&picture);
        summary->DrawZth(painter, QRectF(picture.rect()));
        painter.end();
        QVERIFY(PixelsOf(picture, QColor(192, 32, 48)) > 100);
        s.ModelChanged();
        QVERIFY(!s.W().ReportSummary().has_value());
        s.Compute();
        QVERIFY(s.W().ReportSummary().has_value());
    }

    // A heat sink resistance under the whole bottom face adds itself to the steady rise, and a
    // value that is no positive number computes nothing.
    void baseConditionReachesTheSolve() {
        Session s(Folder("mats"), Column());
        auto* kind = s.C<QComboBox>("CboBase");
        kind->setCurrentIndex(kind->findText("Heat sink resistance R"));
        QLineEdit* value = s.C<QLineEdit>("TxtBaseValue");
        QTest::keyClicks(value, "abc");
        s.Compute();
        QVERIFY(s.W().Shown() == nullptr);
        QVERIFY2(s.Status().contains("\u201Cabc\u201D"), qPrintable(s.Status()));
        value->clear();
        QTest::keyClicks(value, "0.5");
        s.Compute();
        QVERIFY2(s.W().Shown() != nullptr, qPrintable(s.Status()));
        const double steady = s.W().Shown()->Curve.SteadyZthAverage;
        QVERIFY2(std::abs(steady - (kSteadyZth + 0.5)) <= kSteadyTolerance * (kSteadyZth + 0.5),
                 qPrintable(QString::number(steady)));
        QVERIFY(s.Status().contains("heat sink 0.5 K/W"));
        QTest::keyClicks(value, "5");
        QVERIFY(s.W().IsOutOfDate());
        QVERIFY(!s.W().ReportSummary().has_value());
    }

    void modelChangeMarksOutOfDate() {
        Session& s = *column_;
        QVERIFY(!s.C<QLabel>("LblOutOfDate")->isVisibleTo(&s.W()));
        s.ModelChanged();
        QVERIFY(s.W().IsOutOfDate());
        QVERIFY(s.C<QLabel>("LblOutOfDate")->isVisibleTo(&s.W()));
        QVERIFY(s.W().Shown() != nullptr);
    }

    void csvExportIsWritten() {
        Session& s = *column_;
        const QString path = dir_.filePath("column.csv");
        s.desktop.files.push_back(path);
        s.C<QPushButton>("CmdExportCsv")->click();
        QVERIFY(s.desktop.messages.empty());
        QCOMPARE(s.desktop.fileRequests.back().Title, QString("Export Thermal Impedance as CSV"));
        const QList<QByteArray> lines = ReadBytes(path).split('\n');
        const auto samples = std::count_if(lines.begin(), lines.end(), [](const QByteArray& line) {
            return line.split(',').value(1) == "zth";
        });
        QCOMPARE(static_cast<std::size_t>(samples), s.W().Shown()->Curve.TimeS.size());
    }

    void spiceExportHoldsBothNetworks() {
        Session& s = *column_;
        const QString path = dir_.filePath("column.cir");
        s.desktop.files.push_back(path);
        s.C<QPushButton>("CmdExportSpice")->click();
        QVERIFY(s.desktop.messages.empty());
        const QByteArray netlist = ReadBytes(path);
        QVERIFY(netlist.contains(".subckt"));
        QVERIFY(netlist.contains("_foster junction base"));
        QVERIFY(netlist.contains("_cauer junction base"));
    }

    void failedExportSaysSo() {
        Session& s = *column_;
        s.desktop.files.push_back(dir_.filePath("no-such-folder/out.csv"));
        s.C<QPushButton>("CmdExportCsv")->click();
        QCOMPARE(s.desktop.messages.size(), std::size_t{1});
        QCOMPARE(s.desktop.messages.back().Title, QString("Error Exporting Transient"));
        QVERIFY(s.desktop.messages.back().Text.contains("no-such-folder"));
        s.desktop.messages.clear();
    }

    // Nothing is computed, and the status line says what to mend and where.
    void missingHeatCapacityIsNamed_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("material without a row")
            << "mats" << int{kNoHeat}
            << QStringList{"layer 2", "No heat", "no heat capacity", "matheat.csv"};
        QTest::newRow("malformed row")
            << "badheat" << int{kLow}
            << QStringList{"matheat.csv", "line 4", "specific_heat_j_per_kg_k"};
    }
    void missingHeatCapacityIsNamed() {
        QFETCH(QString, folder);
        QFETCH(int, bottom);
        QFETCH(QStringList, named);
        Session s(dir_.filePath(folder), Column(static_cast<std::int16_t>(bottom)));
        s.Compute();
        QVERIFY(s.W().Shown() == nullptr);
        QCOMPARE(s.Rows(), 0);
        QVERIFY(!s.C<QPushButton>("CmdExportCsv")->isEnabled());
        for (const QString& part : named) {
            QVERIFY2(s.Status().contains(part, Qt::CaseInsensitive),
                     qPrintable(part + " not in: " + s.Status()));
        }
    }

    // The seven-layer example takes seconds: long enough to be cancelled on the way.
    void cancelShowsNothingNew() {
        Model example;
        LoadModelFile(example, StandardMaterials(), ModelDefaults{},
                      (kExamples + "/igbt_on_al2o3_dbc.mdl").toStdString());
        Session s(kStandardMaterials, example);
        s.C<QPushButton>("CmdCompute")->click();
        s.C<QPushButton>("CmdCancel")->click();
        QTRY_VERIFY_WITH_TIMEOUT(s.C<QPushButton>("CmdCompute")->isEnabled(), kComputeTimeoutMs);
        QVERIFY(s.W().Shown() == nullptr);
        QVERIFY(s.Status().contains("Cancelled"));
    }

    // The menu opens one window, which follows the model's changes.
    void menuOpensOneWindow() {
        QTemporaryDir home;
        QVERIFY(PlantProgramFolder(home.path(), LengthUnit::Millimeters));
        AppState state;
        ScriptedDesktop desktop;
        MainWindow main(state, desktop);
        QVERIFY(main.Start(home.path()));
        main.show();
        auto* open = Child<QAction>(main, "mnuTransient");
        QCOMPARE(open->text(), QString("&Transient..."));
        open->trigger();
        open->trigger();
        const QList<TransientWindow*> windows = main.findChildren<TransientWindow*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.front()->isVisible());
    }
};

QTEST_MAIN(TestTransientWindow)
#include "test_transient_window.moc"
