#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <memory>

#include "analysis/live_exact_readout.h"
#include "core/number_format.h"
#include "exact/exact_check.h"
#include "mainwindow/main_window.h"
#include "persistence/program_folders.h"
#include "platform/native_path.h"
#include "support/exact_stacks.h"
#include "support/file_bytes.h"
#include "support/material_folders.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

constexpr int kCheckTimeoutMs = 60000;
const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");
const QString kEllipsis = QStringLiteral("\u2026");

QString Degrees(double value) {
    return QString::fromStdString(FormatValue(value, kTemperatureSlot, kDefaultDecimalDigits)) +
           QStringLiteral(" \u00B0C");
}

// The read-out in a window's menu bar, fed revisions as the main window does.
struct Fixture {
    QTemporaryDir dir;
    AppState state;
    QWidget window;
    QMenuBar* bar = new QMenuBar(&window);
    std::unique_ptr<LiveExactReadout> readout;
    std::uint64_t revision = 0;

    explicit Fixture(exact_stacks::Case c) {
        state.model = std::move(c.Model);
        state.materials = std::move(c.Table);
        state.folders = ProgramFoldersFor(NativePath(dir.path()));
        bar->addMenu(QStringLiteral("&Analysis"));
        window.resize(600, 200);
        readout = std::make_unique<LiveExactReadout>(state, *bar);
        window.show();
    }
    LiveExactReadout& R() const { return *readout; }
    QLabel* Label() const { return Child<QLabel>(window, "LblLiveCheck"); }
    void Toggle() const { readout->ToggleAction()->trigger(); }
    void Edit(float power) {
        state.model.PowerDissipation = power;
        readout->ModelChanged(++revision);
    }
    bool Finished() const {
        return QTest::qWaitFor([this] { return !readout->IsComputing(); }, kCheckTimeoutMs);
    }
};

QByteArray SettingsBytes(const AppState& state) {
    return ReadBytes(PathText(SettingsPathOf(state.folders)));
}

}  // namespace

class TestLiveReadout : public QObject {
    Q_OBJECT

private slots:
    // After an edit the line shows what the 3-D check of the edited model gives, up to date.
    void followsAnEdit() {
        Fixture f(exact_stacks::ThreeLayerCase());
        f.Toggle();
        QVERIFY(f.Finished());
        f.Edit(80.0f);
        QVERIFY(f.Finished());
        const exact::ExactResult expected = exact::RunExactCheck(f.state.model, f.state.materials);
        QCOMPARE(expected.Status, exact::ExactStatus::Ok);
        const auto shown = f.R().ShownResult();
        QVERIFY(shown && shown->Status == exact::ExactStatus::Ok);
        QCOMPARE(f.R().ShownRevision(), f.revision);
        QCOMPARE(shown->AverageSourceTempC, expected.AverageSourceTempC);
        QCOMPARE(shown->PeakSourceTempC, expected.PeakSourceTempC);
        const QString text = f.Label()->text();
        QVERIFY2(text.contains(Degrees(expected.AverageSourceTempC)) &&
                     text.contains(Degrees(expected.PeakSourceTempC)),
                 qPrintable(text));
        QVERIFY(f.Label()->isEnabled() && !text.contains(kEllipsis));
        QVERIFY(f.Label()->isVisible());
    }

    // New digits show the same result again at once, without computing it anew.
    void takesNewDigitsWithoutComputing() {
        Fixture f(exact_stacks::ThreeLayerCase());
        f.Toggle();
        QVERIFY(f.Finished());
        const auto shown = f.R().ShownResult();
        QVERIFY(shown);
        f.state.prefs.DecimalDigits[kTemperatureSlot] = 4;
        f.R().DigitsChanged();
        QVERIFY(!f.R().IsComputing());
        QCOMPARE(f.R().ShownResult(), shown);
        const QString average = QString::fromStdString(
            FormatValue(shown->AverageSourceTempC, kTemperatureSlot, f.state.prefs.DecimalDigits));
        QVERIFY2(f.Label()->text().contains(average), qPrintable(f.Label()->text()));
    }

    // Models the check cannot take say so in a few words, and why in full on the tool tip.
    void saysWhenTheCheckIsNotAvailable_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no layers") << 0 << QStringLiteral("no layers");
        QTest::newRow("layer without material") << -1 << QStringLiteral("a layer's material");
    }

    void saysWhenTheCheckIsNotAvailable() {
        QFETCH(int, layers);
        QFETCH(QString, reason);
        exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        if (layers == 0) c.Model.LayerCount = 0;
        if (layers < 0) c.Model.Layers[1].MaterialId = -1;
        Fixture f(std::move(c));
        f.Toggle();
        QVERIFY(f.Finished());
        QVERIFY2(f.Label()->text().contains(QStringLiteral("not available (") + reason),
                 qPrintable(f.Label()->text()));
        QVERIFY(!f.Label()->toolTip().isEmpty());
        QVERIFY(f.Label()->isEnabled());
    }

    // While the check runs for a newer model the old numbers stay, greyed and trailed by an
    // ellipsis, so that they are not taken for the model on the screen.
    void showsOutOfDateWhileRunning() {
        Fixture f(exact_stacks::TenLayerCase());
        f.Toggle();
        QVERIFY(f.Finished());
        const QString before = f.Label()->text();
        f.Edit(9.0f);
        QVERIFY(f.R().IsComputing());
        QVERIFY(!f.Label()->isEnabled());
        QCOMPARE(f.Label()->text(), before + QStringLiteral(" ") + kEllipsis);
        QVERIFY(f.Finished());
        QVERIFY(f.Label()->isEnabled());
        QVERIFY(f.Label()->text() != before);
    }

    // Edits quicker than the check: only the last model's result is ever on the line.
    void anOldRevisionNeverShows() {
        Fixture f(exact_stacks::TenLayerCase());
        f.Toggle();
        for (int n = 1; n <= 6; ++n) f.Edit(2.0f * static_cast<float>(n));
        bool oldShown = false;
        QVERIFY(QTest::qWaitFor(
            [&f, &oldShown] {
                oldShown = oldShown || (f.R().ShownResult() && f.R().ShownRevision() != f.revision);
                return !f.R().IsComputing();
            },
            kCheckTimeoutMs));
        QVERIFY(!oldShown);
        QCOMPARE(f.R().ShownRevision(), f.revision);
        const exact::ExactResult expected = exact::RunExactCheck(f.state.model, f.state.materials);
        QCOMPARE(f.R().ShownResult()->AverageSourceTempC, expected.AverageSourceTempC);
    }

    // Switched off, nothing runs and nothing shows, whatever changes.
    void offComputesNothing() {
        Fixture f(exact_stacks::ThreeLayerCase());
        f.Edit(60.0f);
        QVERIFY(!f.R().IsComputing() && !f.Label()->isVisible());
        f.Toggle();
        QVERIFY(f.R().IsComputing() && f.Label()->isVisible());
        f.Toggle();
        QVERIFY(!f.R().IsComputing() && !f.Label()->isVisible());
        f.Edit(70.0f);
        QVERIFY(!f.R().IsComputing());
    }

    // The toggle lives in its own settings file beside prefs.txt; it is off at a first start
    // and the user's last choice comes back at the next one.
    void toggleIsRememberedAcrossARestart_data() {
        QTest::addColumn<int>("clicks");
        QTest::newRow("never touched") << 0;
        QTest::newRow("switched on") << 1;
        QTest::newRow("switched on and off again") << 2;
    }

    void toggleIsRememberedAcrossARestart() {
        QFETCH(int, clicks);
        Fixture f(exact_stacks::ThreeLayerCase());
        f.R().RestoreToggle();
        QVERIFY(!f.R().ToggleAction()->isChecked());
        for (int n = 0; n < clicks; ++n) f.Toggle();
        f.readout.reset();
        const bool on = clicks % 2 == 1;
        QCOMPARE(QFileInfo(PathText(SettingsPathOf(f.state.folders))).path(),
                 QFileInfo(PathText(f.state.folders.PreferencesPath)).path());
        if (clicks > 0) QVERIFY(SettingsBytes(f.state).contains(on ? "true" : "false"));
        QVERIFY(!QFileInfo::exists(PathText(f.state.folders.PreferencesPath)));
        LiveExactReadout again(f.state, *f.bar);
        again.RestoreToggle();
        QCOMPARE(again.ToggleAction()->isChecked(), on);
        QCOMPARE(again.IsComputing(), on);
    }

    // From the main window: the entry in the Analysis menu, the read-out in the menu bar with
    // every control where it was, an edit typed in the window followed, and the choice kept for
    // the next start.
    void mainWindowShowsTheReadout() {
        QTemporaryDir dir;
        QVERIFY(CopyStandardMaterials(dir.filePath("Materials")));
        AppState state;
        ScriptedDesktop desktop;
        auto main = std::make_unique<MainWindow>(state, desktop);
        QVERIFY(main->Start(dir.path()));
        main->OpenModelFromPath(kExamples + "/igbt_on_al2o3_dbc.mdl");
        QVERIFY(ShownActive(*main));
        auto* toggle = Child<QAction>(*main, "mnuLiveCheck");
        QVERIFY(toggle && !toggle->isChecked());
        QVERIFY(Child<QMenu>(*main, "mnuAnalysis")->actions().contains(toggle));
        auto* label = Child<QLabel>(*main, "LblLiveCheck");
        QVERIFY(!label->isVisible());
        QWidget* client = main->centralWidget();
        QList<QRect> arrangement;
        for (const QWidget* control : client->findChildren<QWidget*>()) {
            arrangement << control->geometry();
        }
        const QRect clientPlace = client->geometry();
        toggle->trigger();
        QVERIFY(label->isVisible());
        QCOMPARE(main->menuBar()->cornerWidget(Qt::TopRightCorner), label);
        QTRY_VERIFY(label->geometry().right() < main->menuBar()->width());
        QCOMPARE(client->geometry(), clientPlace);
        QList<QRect> withReadout;
        for (const QWidget* control : client->findChildren<QWidget*>()) {
            withReadout << control->geometry();
        }
        QCOMPARE(withReadout, arrangement);

        auto* power = Child<QLineEdit>(*main, "TextThermOutput");
        power->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(power->hasFocus());
        power->selectAll();
        QTest::keyClicks(power, "130");
        QTest::keyClick(power, Qt::Key_Return);
        QCOMPARE(state.model.PowerDissipation, 130.0f);
        QVERIFY(!label->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(label->isEnabled() && !label->text().endsWith(kEllipsis),
                                 kCheckTimeoutMs);
        const exact::ExactResult expected = exact::RunExactCheck(state.model, state.materials);
        QVERIFY2(label->text().contains(Degrees(expected.AverageSourceTempC)),
                 qPrintable(label->text()));
        QTRY_VERIFY(label->width() >= label->sizeHint().width());

        main.reset();
        AppState next;
        MainWindow again(next, desktop);
        QVERIFY(again.Start(dir.path()));
        QVERIFY(Child<QAction>(again, "mnuLiveCheck")->isChecked());
    }
};

QTEST_MAIN(TestLiveReadout)
#include "test_live_readout.moc"
