#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>
#include <memory>

#include "analysis/exact_check_texts.h"
#include "analysis/exact_check_window.h"
#include "core/number_format.h"
#include "exact/exact_check.h"
#include "mainwindow/main_window.h"
#include "persistence/model_file.h"
#include "support/exact_stacks.h"
#include "support/file_bytes.h"
#include "support/material_folders.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

constexpr int kCheckTimeoutMs = 60000;
const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");

bool Finished(const ExactCheckWindow& window) {
    return QTest::qWaitFor([&] { return !window.IsComputing(); }, kCheckTimeoutMs);
}

struct Fixture {
    AppState state;
    ScriptedDesktop desktop;
    std::unique_ptr<ExactCheckWindow> window;
    std::uint64_t revision = 0;

    explicit Fixture(exact_stacks::Case c = exact_stacks::ThreeLayerCase()) {
        state.model = std::move(c.Model);
        state.materials = std::move(c.Table);
        window = std::make_unique<ExactCheckWindow>(state, desktop);
        window->show();
    }
    ExactCheckWindow& W() const { return *window; }
    // What the main window does after every change of the model.
    void ModelChanged() { window->ModelChanged(++revision); }
    QString Value(const char* name) const { return Text(*window, name); }
    QString Status() const { return Text(*window, "LblStatus"); }
    bool Enabled(const char* name) const { return Child<QWidget>(*window, name)->isEnabled(); }
    void SetBase(exact::BaseKind kind, const QString& typed) const {
        auto* kinds = Child<QComboBox>(*window, "CboBase");
        kinds->setCurrentIndex(kinds->findData(int(kind)));
        QTest::keyClicks(Child<QLineEdit>(*window, "TxtBaseValue"), typed);
    }
    // Compute, and wait until the check has ended one way or the other.
    bool Compute() const {
        Click(*window, "CmdCompute");
        return Finished(*window);
    }
};

QString Degrees(double value) {
    return QString::fromStdString(FormatValue(value, kTemperatureSlot, kDefaultDecimalDigits)) +
           QStringLiteral(" \u00B0C");
}

// A result of the three-layer stack with the comparison numbers set as a test needs them.
exact::ExactResult Compared(std::optional<double> errorPercent, std::optional<double> angle) {
    exact::ExactResult result;
    result.Status = exact::ExactStatus::Ok;
    result.BaseTempC = 25.0;
    result.AverageSourceTempC = 85.0;
    result.EstimateSourceTempC = 80.0;
    result.EstimateErrorPercent = errorPercent;
    result.EquivalentAngleDeg = angle;
    result.LayerTopTempC = {85.0, 45.0};
    result.LayerTopErrorK = {0.1, 0.02};
    result.EstimateLayerTopTempC = {80.0, 49.0};
    return result;
}

}  // namespace

class TestExactWindow : public QObject {
    Q_OBJECT

private slots:
    // The window shows the check of the model as it was when Compute was pressed, and leaves
    // the model as it found it.
    void computeShowsTheCheckOfTheModel() {
        Fixture f;
        const std::string before = ModelFileText(f.state.model);
        QVERIFY(!f.W().CurrentResult());
        QVERIFY(!f.Enabled("CmdCopy") && !f.Enabled("CmdCancel"));
        Click(f.W(), "CmdCompute");
        QVERIFY(f.W().IsComputing() && !f.Enabled("CmdCompute") && f.Enabled("CmdCancel"));
        QVERIFY(Finished(f.W()));
        const auto shown = f.W().CurrentResult();
        QVERIFY(shown && shown->Status == exact::ExactStatus::Ok);
        const exact::ExactResult expected = exact::RunExactCheck(f.state.model, f.state.materials);
        QCOMPARE(shown->AverageSourceTempC, expected.AverageSourceTempC);
        QCOMPARE(shown->PeakSourceTempC, expected.PeakSourceTempC);
        QVERIFY(f.Value("ValAverageSource").startsWith(Degrees(expected.AverageSourceTempC)));
        QVERIFY(f.Value("ValPeakSource").startsWith(Degrees(expected.PeakSourceTempC)));
        QVERIFY(f.Value("ValEstimate").startsWith(Degrees(*expected.EstimateSourceTempC)));
        QCOMPARE(Child<QTableWidget>(f.W(), "TblLayers")->rowCount(), 3);
        QCOMPARE(f.Status(), QStringLiteral("Up to date."));
        QVERIFY(f.Enabled("CmdCopy") && f.Enabled("CmdSavePng") && f.Enabled("CmdCompute"));
        QCOMPARE(ModelFileText(f.state.model), before);
    }

    void modelChangeMarksTheResultOutOfDate_data() {
        QTest::addColumn<bool>("whileRunning");
        QTest::newRow("after the check") << false;
        QTest::newRow("while it runs") << true;
    }

    void modelChangeMarksTheResultOutOfDate() {
        QFETCH(bool, whileRunning);
        Fixture f;
        QSignalSpy changed(&f.W(), &ExactCheckWindow::resultChanged);
        Click(f.W(), "CmdCompute");
        if (whileRunning) f.ModelChanged();
        QVERIFY(Finished(f.W()));
        if (!whileRunning) {
            QVERIFY(f.W().CurrentResult());
            f.ModelChanged();
        }
        QVERIFY(!f.W().CurrentResult());
        QVERIFY2(f.Status().startsWith("Out of date"), qPrintable(f.Status()));
        // The numbers stay readable, greyed; nothing out of date leaves the window.
        QVERIFY(f.Value("ValAverageSource").endsWith(" K"));
        QVERIFY(!Child<QGroupBox>(f.W(), "FraNumbers")->isEnabled());
        QVERIFY(!f.Enabled("CmdCopy") && !f.Enabled("CmdSavePng"));
        QCOMPARE(changed.count(), whileRunning ? 1 : 2);
        QVERIFY(f.Compute());
        QVERIFY(f.W().CurrentResult());
        QVERIFY(Child<QGroupBox>(f.W(), "FraNumbers")->isEnabled());
    }

    void notAvailableNamesTheLayer() {
        exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        c.Model.Layers[2].MaterialId = 0;
        Fixture f(std::move(c));
        QVERIFY(f.Compute());
        QCOMPARE(f.Status(), QStringLiteral("Not available: Layer 2 has no material selected."));
        const auto shown = f.W().CurrentResult();
        QVERIFY(shown && shown->Status == exact::ExactStatus::NotAvailable);
        QCOMPARE(f.Value("ValAverageSource"), QString());
        QCOMPARE(Child<QTableWidget>(f.W(), "TblLayers")->rowCount(), 0);
        QVERIFY(!f.Enabled("CmdCopy"));
    }

    // The base chosen in the window reaches the check; the estimate with the sink stands beside
    // it, and changing the base makes the result out of date.
    void heatSinkReachesTheCheck() {
        Fixture f;
        f.SetBase(exact::BaseKind::SinkResistance, "0.4");
        QVERIFY(f.Compute());
        const auto shown = f.W().CurrentResult();
        QVERIFY(shown && shown->Status == exact::ExactStatus::Ok);
        exact::ExactOptions options;
        options.Base = {exact::BaseKind::SinkResistance, 0.4};
        const exact::ExactResult expected =
            exact::RunExactCheck(f.state.model, f.state.materials, options);
        QCOMPARE(shown->AverageSourceTempC, expected.AverageSourceTempC);
        QVERIFY(
            f.Value("ValEstimateWithSink").startsWith(Degrees(*expected.EstimateWithSinkTempC)));
        QVERIFY2(f.Value("ValBase").contains("a heat sink of 0.4"), qPrintable(f.Value("ValBase")));
        QTest::keyClick(Child<QLineEdit>(f.W(), "TxtBaseValue"), Qt::Key_5);
        QVERIFY(!f.W().CurrentResult());
        QVERIFY(f.Status().startsWith("Out of date"));
    }

    // A value that is no positive number starts nothing and is named.
    void badBaseValueIsNamed_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("zero") << "0";
        QTest::newRow("not a number") << "abc";
        QTest::newRow("empty") << "";
    }

    void badBaseValueIsNamed() {
        QFETCH(QString, typed);
        Fixture f;
        f.SetBase(exact::BaseKind::HeatTransfer, typed);
        Click(f.W(), "CmdCompute");
        QVERIFY(!f.W().IsComputing());
        QCOMPARE(f.Status(), QString::fromUtf8("The heat transfer coefficient h must be a positive "
                                               "number, not “%1”.")
                                 .arg(typed));
    }

    // A device larger than layer 1 is heated only where they meet: the window says so beside
    // the comparison.
    void clippedSourceIsStated() {
        exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        c.Model.Layers[0].Width = 14.0f;
        Fixture f(std::move(c));
        QVERIFY(f.Compute());
        QVERIFY(f.W().CurrentResult() && f.W().CurrentResult()->SourceClipped);
        QVERIFY2(f.Value("ValHeatedArea").startsWith("clipped: the device is larger than layer 1"),
                 qPrintable(f.Value("ValHeatedArea")));
    }

    // A cancelled check leaves the result before it on the screen, still out of date.
    void cancelKeepsTheResultBefore() {
        Fixture f(exact_stacks::TenLayerCase());
        QVERIFY(f.Compute());
        const QString average = f.Value("ValAverageSource");
        f.ModelChanged();
        Click(f.W(), "CmdCompute");
        Click(f.W(), "CmdCancel");
        QVERIFY(!f.Enabled("CmdCancel"));
        QVERIFY(Finished(f.W()));
        QVERIFY2(f.Status().contains("cancelled"), qPrintable(f.Status()));
        QCOMPARE(f.Value("ValAverageSource"), average);
        QVERIFY(!f.W().CurrentResult());
    }

    // Closing waits for the check to stop; deleting the window while one runs is safe.
    void closingEndsTheCheck_data() {
        QTest::addColumn<bool>("deleteIt");
        QTest::newRow("closed") << false;
        QTest::newRow("deleted") << true;
    }

    void closingEndsTheCheck() {
        QFETCH(bool, deleteIt);
        Fixture f(exact_stacks::TenLayerCase());
        Click(f.W(), "CmdCompute");
        QVERIFY(f.W().IsComputing());
        if (deleteIt) {
            f.window.reset();
            return;
        }
        QVERIFY(f.W().close());
        QVERIFY(!f.W().IsComputing());
        QCOMPARE(f.Status(), QStringLiteral("Cancelled."));
    }

    void savePngWritesThePictures_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("folder missing") << false;
    }

    void savePngWritesThePictures() {
        QFETCH(bool, writable);
        QTemporaryDir dir;
        const QString path = dir.filePath(writable ? "check.png" : "missing/check.png");
        Fixture f;
        f.state.model.ModelFileName = "die.mdl";
        QVERIFY(f.Compute());
        f.desktop.files.push_back(path);
        Click(f.W(), "CmdSavePng");
        QCOMPARE(f.desktop.fileRequests.size(), std::size_t{1});
        QCOMPARE(f.desktop.fileRequests[0].FileName, QStringLiteral("die 3-D check.png"));
        QCOMPARE(f.desktop.fileRequests[0].DefaultSuffix, QStringLiteral("png"));
        if (!writable) {
            QCOMPARE(f.desktop.messages.size(), std::size_t{1});
            QCOMPARE(f.desktop.messages[0].Icon, MessageIcon::Exclamation);
            QVERIFY(f.desktop.messages[0].Text.startsWith(path + "\r\n"));
            QVERIFY(!QFile::exists(path));
            return;
        }
        QVERIFY(f.desktop.messages.empty());
        QVERIFY(ReadBytes(path).startsWith("\x89PNG\r\n"));
        QCOMPARE(QImage(path).size(), QSize(1920, 1600));
    }

    void copyPutsThePicturesOnTheClipboard() {
        Fixture f;
        QGuiApplication::clipboard()->clear();
        QVERIFY(f.Compute());
        Click(f.W(), "CmdCopy");
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(1920, 1600));
    }

    void comparisonTexts_data() {
        QTest::addColumn<QVariant>("errorPercent");
        QTest::addColumn<QVariant>("angle");
        QTest::addColumn<QString>("errorText");
        QTest::addColumn<QString>("angleText");
        QTest::newRow("optimistic")
            << QVariant(-17.666) << QVariant(36.449) << "-17.67 % of the 3-D rise: optimistic"
            << QString::fromUtf8("36.45\u00B0: given to every layer");
        QTest::newRow("pessimistic, no angle")
            << QVariant(6.78) << QVariant() << "+6.78 % of the 3-D rise: pessimistic"
            << QString::fromUtf8("none: no angle from 0\u00B0 to 89\u00B0");
    }

    void comparisonTexts() {
        QFETCH(QVariant, errorPercent);
        QFETCH(QVariant, angle);
        QFETCH(QString, errorText);
        QFETCH(QString, angleText);
        const exact::ExactResult result =
            Compared(errorPercent.toDouble(),
                     angle.isValid() ? std::optional(angle.toDouble()) : std::nullopt);
        const std::vector<ExactNumberRow> rows = ExactNumberRows(result, kDefaultDecimalDigits);
        const auto value = [&](const char* name) {
            for (const ExactNumberRow& row : rows) {
                if (row.Name == QLatin1String(name)) return row.Value;
            }
            return QString();
        };
        QCOMPARE(value("ValEstimateError"), errorText);
        QVERIFY2(value("ValEquivalentAngle").startsWith(angleText),
                 qPrintable(value("ValEquivalentAngle")));
    }

    // Each layer's estimate against its 3-D top, in % of the latter's rise above the base.
    void layerRowsCompareRises() {
        const exact::ExactResult result = Compared(-8.33, 30.0);
        Model model = exact_stacks::ThreeLayerCase().Model;
        model.LayerCount = 2;
        model.Layers[1].Description = "Die";
        const std::vector<QStringList> rows = ExactLayerRows(result, model, kDefaultDecimalDigits);
        QCOMPARE(rows.size(), std::size_t{2});
        QCOMPARE(rows[0], (QStringList{"1  Die", "85.00", "0.10", "80.00", "-8.33"}));
        QCOMPARE(rows[1].mid(1), (QStringList{"45.00", "0.02", "49.00", "+20.00"}));
    }

    // The sources chosen in the window reach the check; every source gets a row, the coupling
    // its line, and changing the array makes the result out of date.
    void arrayReachesTheCheck() {
        Fixture f;
        QVERIFY(!Child<QLineEdit>(f.W(), "TxtPitchX")->isEnabled());
        Child<QSpinBox>(f.W(), "SpnSourcesX")->setValue(2);
        QTest::keyClicks(Child<QLineEdit>(f.W(), "TxtPitchX"), "5");
        QVERIFY(!Child<QLineEdit>(f.W(), "TxtPitchY")->isEnabled());
        QVERIFY(f.Compute());
        const auto shown = f.W().CurrentResult();
        QVERIFY2(shown && shown->Status == exact::ExactStatus::Ok, qPrintable(f.Status()));
        QCOMPARE(shown->Sources.CountX, 2);
        QCOMPARE(shown->Sources.PitchX, 5.0);
        auto* table = Child<QTableWidget>(f.W(), "TblSources");
        QVERIFY(table->isVisible());
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), "-2.5");
        QCOMPARE(table->item(1, 0)->text(), "2.5");
        QVERIFY(f.Value("ValCoupling")
                    .startsWith(QString::fromStdString(FormatDecimals(*shown->Coupling, 3))));
        QVERIFY(f.Value("ValEstimate").startsWith("not compared"));
        QTest::keyClick(Child<QLineEdit>(f.W(), "TxtPitchX"), Qt::Key_0);
        QVERIFY(!f.W().CurrentResult());
        QVERIFY(f.Status().startsWith("Out of date"));
    }

    // A pitch that is no length starts nothing and is named; one the model cannot hold is the
    // check's to refuse, naming the sizes.
    void badPitchIsNamed_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("status");
        QTest::newRow("not a number") << "abc" << false
                                      << QString::fromUtf8(
                                             "The pitch along the length must be a "
                                             "positive length, not “abc”.");
        QTest::newRow("empty") << "" << false
                               << QString::fromUtf8(
                                      "The pitch along the length must be a "
                                      "positive length, not “”.");
        QTest::newRow("overlapping")
            << "4" << true
            << "Not available: The pitch along the length, 4 mm, is smaller than the device "
               "length, 5 mm: neighbouring sources would overlap.";
    }

    void badPitchIsNamed() {
        QFETCH(QString, typed);
        QFETCH(bool, starts);
        QFETCH(QString, status);
        Fixture f;
        Child<QSpinBox>(f.W(), "SpnSourcesY")->setValue(2);
        QTest::keyClicks(Child<QLineEdit>(f.W(), "TxtPitchY"), typed);
        Click(f.W(), "CmdCompute");
        if (starts) QVERIFY(Finished(f.W()));
        QVERIFY(!f.W().IsComputing());
        QCOMPARE(f.Status(), status);
        QVERIFY(!Child<QTableWidget>(f.W(), "TblSources")->isVisible());
    }

    // From the main window: the menu between Preferences and Help, one window raised again,
    // a typed value committed before the window opens, and every model change reaching it.
    void mainWindowOpensOneWindow() {
        QTemporaryDir dir;
        QVERIFY(CopyStandardMaterials(dir.filePath("Materials")));
        AppState state;
        ScriptedDesktop desktop;
        MainWindow main(state, desktop);
        QVERIFY(main.Start(dir.path()));
        main.OpenModelFromPath(kExamples + "/igbt_on_al2o3_dbc.mdl");
        QVERIFY(ShownActive(main));
        QStringList menus;
        for (QAction* action : main.menuBar()->actions()) menus << action->menu()->objectName();
        QCOMPARE(menus, (QStringList{"mnuFile", "mnuEdit", "mnuMaterials", "mnuPrefs",
                                     "mnuAnalysis", "mnuHelp"}));
        auto* power = Child<QLineEdit>(main, "TextThermOutput");
        const auto type = [power](const char* text) {
            power->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(power->hasFocus());
            power->selectAll();
            QTest::keyClicks(power, text);
        };
        type("120");
        Child<QAction>(main, "mnuExactCheck")->trigger();
        QCOMPARE(state.model.PowerDissipation, 120.0f);
        auto* window = main.findChild<ExactCheckWindow*>("FrmExactCheck");
        QVERIFY(window && window->isVisible());
        Child<QAction>(main, "mnuExactCheck")->trigger();
        QCOMPARE(main.findChildren<ExactCheckWindow*>().size(), 1);
        Click(*window, "CmdCompute");
        QVERIFY(Finished(*window));
        QVERIFY(window->CurrentResult());
        QVERIFY(ShownActive(main));
        type("130");
        QTest::keyClick(power, Qt::Key_Return);
        QCOMPARE(state.model.PowerDissipation, 130.0f);
        QVERIFY(!window->CurrentResult());
    }
};

QTEST_MAIN(TestExactWindow)
#include "test_exact_window.moc"
