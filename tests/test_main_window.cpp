#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <memory>

#include "core/layer_commands.h"
#include "core/text_file.h"
#include "mainwindow/main_window.h"
#include "persistence/model_file.h"
#include "support/scripted_desktop.h"

using namespace strativex;

namespace {

constexpr const char* kPrefsMissing =
    "Preferences file '%1/prefs.txt' not found.\r\n"
    "Default preference settings will be restored.";

// A program folder of its own for every test: the shipped materials, and prefs.txt when the
// test gives preferences.
struct Session {
    QTemporaryDir dir;
    AppState state;
    ScriptedDesktop desktop;
    std::unique_ptr<MainWindow> window;
    bool started = false;

    QString Path(const QString& name) const { return dir.filePath(name); }
};

void InstallMaterials(const QString& folder) {
    QDir().mkpath(folder + "/Materials");
    QFile::copy(QStringLiteral(STRATIVEX_BIN_DIR "/Materials/matprops.dat"),
                folder + "/Materials/matprops.dat");
}

Preferences PrefsFor(const QString& folder, LengthUnit unit) {
    Preferences prefs;
    prefs.UnitSystem = unit;
    prefs.MaterialsFolder = (folder + "/Materials").toStdString();
    prefs.ModelsFolder = folder.toStdString();
    return prefs;
}

std::unique_ptr<Session> Start(std::optional<LengthUnit> unit = LengthUnit::Millimeters,
                               bool materials = true) {
    auto session = std::make_unique<Session>();
    const QString folder = session->dir.path();
    if (materials) InstallMaterials(folder);
    if (unit) SavePreferences(PrefsFor(folder, *unit), (folder + "/prefs.txt").toStdString());
    session->window = std::make_unique<MainWindow>(session->state, session->desktop);
    session->started = session->window->Start(folder);
    if (session->started) {
        session->window->show();
        QApplication::setActiveWindow(session->window.get());
        if (!QTest::qWaitForWindowActive(session->window.get())) return nullptr;
    }
    return session;
}

void Type(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    field->selectAll();
    // QTest types only what a US keyboard has; other characters arrive as an input method would.
    bool ascii = true;
    for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(field, text);
    } else {
        field->insert(text);
    }
}

// Leaves the field for the model name (or the description when the field is the name).
void Leave(MainWindow& window, QLineEdit* field) {
    QLineEdit* next =
        field == window.TextModelName ? window.TextLayerDescrip : window.TextModelName;
    next->setFocus(Qt::TabFocusReason);
}

QString LastMessage(const ScriptedDesktop& desktop) {
    return desktop.messages.empty() ? QString() : desktop.messages.back().Text;
}

int MaterialId(const Session& s, const char* name) {
    for (const auto& entry : MaterialListEntries(s.state.materials)) {
        if (entry.Name == name) return entry.Id;
    }
    return -1;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutPreferences() {
        auto s = Start(std::nullopt);
        QVERIFY(s && s->started);
        QCOMPARE(s->desktop.messages.size(), std::size_t{1});
        QCOMPARE(s->desktop.messages[0].Text, QString(kPrefsMissing).arg(s->dir.path()));
        QCOMPARE(s->desktop.messages[0].Title, QStringLiteral("Error Loading Preferences"));
        MainWindow& w = *s->window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Strativex -- untitled.mdl"));
        QVERIFY(w.OptLayer[0]->isChecked());
        QCOMPARE(w.FrameLayerData->title(), QStringLiteral("Properties of Heat Source"));
        QVERIFY(w.FrameDeviceOnly->isVisible());
        QVERIFY(!w.FrameLayersOnly->isVisible());
        QCOMPARE(w.LabelWidthUnit->text(), QStringLiteral("in."));
        QVERIFY(w.mnuInches->isChecked() && !w.mnuMillimeters->isChecked());
        QCOMPARE(w.LabelIsothermUnit->text(), QStringLiteral("\u00B0C"));
        QVERIFY(w.CmdAddLayer->isEnabled());
        QVERIFY(!w.CmdCopyLayer->isEnabled() && !w.CmdDeleteLayer->isEnabled());
        QVERIFY(!s->state.model.ModelChanged);
        QVERIFY(w.ComboMaterials->count() > 10);
    }

    void missingStandardFileAndCancel() {
        auto s = Start(LengthUnit::Millimeters, false);
        QVERIFY(s && !s->started);
        const QString standard = s->dir.path() + "/Materials/matprops.dat";
        QCOMPARE(LastMessage(s->desktop),
                 "Unable to find standard materials data file\r\n'" + standard +
                     "'\r\nLook for file in a different location?\r\n"
                     "(Click OK to browse for file, Cancel to exit program)");
        QCOMPARE(s->desktop.messages.back().Buttons, MessageButtons::OkCancel);
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Error Loading Materials File"));
        QCOMPARE(s->desktop.exitCode, std::optional<int>(1));
    }

    void damagedStandardFileEndsTheProgram() {
        auto session = std::make_unique<Session>();
        const QString folder = session->dir.path();
        QDir().mkpath(folder + "/Materials");
        QFile bad(folder + "/Materials/matprops.dat");
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("\x01\r\n");
        bad.close();
        SavePreferences(PrefsFor(folder, LengthUnit::Inches),
                        (folder + "/prefs.txt").toStdString());
        MainWindow window(session->state, session->desktop);
        QVERIFY(!window.Start(folder));
        QCOMPARE(session->desktop.messages.back().Icon, MessageIcon::Critical);
        QVERIFY(LastMessage(session->desktop).endsWith("' line 0"));
        QCOMPARE(session->desktop.exitCode, std::optional<int>(1));
    }

    void tenLayers() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        for (int i = 1; i <= 10; ++i) QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        QCOMPARE(s->state.model.LayerCount, 10);
        for (int i = 1; i <= 10; ++i) QCOMPARE(s->state.model.Layers[i].ColorIndex, i - 1);
        QVERIFY(!w.CmdAddLayer->isEnabled() && !w.CmdCopyLayer->isEnabled());
        QVERIFY(w.OptLayer[10]->isVisible() && w.OptLayer[10]->isChecked());
        QVERIFY(!w.OptLayer[11]->isVisible());
        QCOMPARE(w.FrameLayerData->title(), QStringLiteral("Properties of Layer 10"));
        QCOMPARE(w.ComboMaterials->currentIndex(), -1);
        QVERIFY(s->state.model.ModelChanged);
    }

    void deleteAndMove() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        for (int i = 1; i <= 5; ++i) {
            QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
            s->state.model.Layers[i].Description = "L" + std::to_string(i);
        }
        QTest::mouseClick(w.OptLayer[3], Qt::LeftButton);
        QTest::mouseClick(w.CmdDeleteLayer, Qt::LeftButton);
        QCOMPARE(s->state.model.LayerCount, 4);
        QCOMPARE(s->state.model.CurrentLayer, 3);
        QCOMPARE(w.TextLayerDescrip->text(), QStringLiteral("L4"));
        QVERIFY(!w.OptLayer[5]->isVisible());

        QTest::mouseClick(w.OptLayer[2], Qt::LeftButton);
        QVERIFY(w.CmdMoveLayerUp->isEnabled() && w.CmdMoveLayerDown->isEnabled());
        QTest::mouseClick(w.CmdMoveLayerUp, Qt::LeftButton);
        QCOMPARE(s->state.model.Layers[1].Description, std::string("L2"));
        QCOMPARE(s->state.model.CurrentLayer, 1);
        QVERIFY(w.OptLayer[1]->isChecked());
        QVERIFY(!w.CmdMoveLayerUp->isEnabled() && w.CmdMoveLayerDown->isEnabled());
        QVERIFY(w.LabelMoveLayer->isEnabled());
    }

    void colourSwatch() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        QTest::mousePress(w.PicColor, Qt::RightButton);
        QCOMPARE(s->state.model.Layers[1].ColorIndex, 9);
        QCOMPARE(w.PicColor->palette().color(QPalette::Window), QColor(0, 255, 0));
        QTest::mousePress(w.PicColor, Qt::LeftButton);
        QCOMPARE(s->state.model.Layers[1].ColorIndex, 0);
    }

    void fieldRanges_data() {
        QTest::addColumn<bool>("inches");
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<QString>("title");
        const QString power = "Thermal output must be between 0.0001 and 1000 Watts.";
        const QString powerTitle = "Thermal Output Value Out of Range";
        QTest::newRow("power 1000") << false << 0 << "TextThermOutput"
                                    << "1000"
                                    << ""
                                    << "";
        QTest::newRow("power 1000.1") << false << 0 << "TextThermOutput"
                                      << "1000.1" << power << powerTitle;
        QTest::newRow("power text") << false << 0 << "TextThermOutput"
                                    << "abc" << power << powerTitle;
        const QString iso = "Isothermal temperature must be between -50 and 500 deg C.";
        const QString isoTitle = "Isothermal Temperature Value Out of Range";
        QTest::newRow("isotherm -50") << false << 0 << "TextIsotherm"
                                      << "-50"
                                      << ""
                                      << "";
        QTest::newRow("isotherm 500") << false << 0 << "TextIsotherm"
                                      << "500"
                                      << ""
                                      << "";
        QTest::newRow("isotherm -50.5") << false << 0 << "TextIsotherm"
                                        << "-50.5" << iso << isoTitle;
        QTest::newRow("device width 0 in.") << true << 0 << "TextDevWidth"
                                            << "0"
                                            << "Width must be between 0.001 and 10 in."
                                            << "Width Value Out of Range";
        QTest::newRow("layer width 0 in.") << true << 1 << "TextDevWidth"
                                           << "0"
                                           << ""
                                           << "";
        QTest::newRow("layer width (infinite)") << true << 1 << "TextDevWidth"
                                                << "(infinite)"
                                                << ""
                                                << "";
        QTest::newRow("device length 300 mm") << false << 0 << "TextDevLength"
                                              << "300"
                                              << "Length must be between 0.025 and 250 mm"
                                              << "Length Value Out of Range";
        QTest::newRow("thickness 25 mm") << false << 1 << "TextThickness"
                                         << "25"
                                         << ""
                                         << "";
        QTest::newRow("thickness 25.01 mm") << false << 1 << "TextThickness"
                                            << "25.01"
                                            << "Layer thickness must be between 2.5E-05 and 25 mm"
                                            << "Layer Thickness Value Out of Range";
        QTest::newRow("thickness 0 in.") << true << 1 << "TextThickness"
                                         << "0"
                                         << "Layer thickness must be between 1E-06 and 1 in."
                                         << "Layer Thickness Value Out of Range";
    }

    void fieldRanges() {
        QFETCH(bool, inches);
        QFETCH(int, record);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, title);
        auto s = Start(inches ? LengthUnit::Inches : LengthUnit::Millimeters);
        QVERIFY(s);
        MainWindow& w = *s->window;
        if (record == 1) QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        s->state.model.ModelChanged = false;
        auto* edit = w.findChild<QLineEdit*>(field);
        QVERIFY(edit);
        const std::size_t before = s->desktop.messages.size();
        Type(edit, typed);
        Leave(w, edit);
        if (message.isEmpty()) {
            QCOMPARE(s->desktop.messages.size(), before);
            if (typed == "0" || typed == "(infinite)") {
                QCOMPARE(edit->text(), QStringLiteral("(infinite)"));
            }
            return;
        }
        QCOMPARE(LastMessage(s->desktop), message);
        QCOMPARE(s->desktop.messages.back().Title, title);
        QCOMPARE(s->desktop.messages.back().Buttons, MessageButtons::Ok);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), typed);
        QVERIFY(!s->state.model.ModelChanged);
    }

    void refusedValueStopsTheClickedCommand() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        Type(w.TextThickness, "99");
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        QCOMPARE(s->state.model.LayerCount, 1);
        QCOMPARE(s->desktop.messages.back().Title,
                 QStringLiteral("Layer Thickness Value Out of Range"));
        QVERIFY(w.TextThickness->hasFocus());
        QTest::mouseClick(w.OptLayer[0], Qt::LeftButton);
        QCOMPARE(s->state.model.CurrentLayer, 1);
        QVERIFY(w.OptLayer[1]->isChecked());
    }

    void acceptedValueRefreshesOnlyWhenChanged() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        Type(w.TextThermOutput, "1");
        Leave(w, w.TextThermOutput);
        QVERIFY(!s->state.model.ModelChanged);
        Type(w.TextThermOutput, "2.5");
        Leave(w, w.TextThermOutput);
        QCOMPARE(s->state.model.PowerDissipation, 2.5f);
        QCOMPARE(w.TextThermOutput->text(), QStringLiteral("2.50"));
        QVERIFY(s->state.model.ModelChanged);
    }

    void textFields() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        Type(w.TextLayerDescrip, QStringLiteral("Die \u00B0 edge"));
        Leave(w, w.TextLayerDescrip);
        QCOMPARE(s->state.model.Layers[0].Description, std::string("Die \xB0 edge"));
        QVERIFY(s->state.model.ModelChanged);
        Type(w.TextModelName, QStringLiteral("Chip \u4E2D"));
        Leave(w, w.TextModelName);
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Character Not Supported"));
        QTRY_VERIFY(w.TextModelName->hasFocus());
        QCOMPARE(s->state.model.ModelName, std::string("(Untitled)"));
    }

    void storedWidthTakesTheShownPrecision() {
        auto s = Start(LengthUnit::Inches);
        QVERIFY(s);
        MainWindow& w = *s->window;
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        s->state.prefs.DecimalDigits[2] = 3;
        s->state.model.Layers[1].Width = 0.12345f;
        s->state.model.ModelChanged = false;
        QTest::mouseClick(w.OptLayer[0], Qt::LeftButton);
        QTest::mouseClick(w.OptLayer[1], Qt::LeftButton);
        QCOMPARE(w.TextDevWidth->text(), QStringLiteral("0.123"));
        QCOMPARE(s->state.model.Layers[1].Width, 0.123f);
        QVERIFY(s->state.model.ModelChanged);
    }

    void materialSelection() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        w.ComboMaterials->setFocus();
        QTRY_VERIFY(w.ComboMaterials->hasFocus());
        w.TextThickness->setFocus(Qt::TabFocusReason);
        QCOMPARE(LastMessage(s->desktop),
                 QStringLiteral("Please select a material for the current layer."));
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Material Selection Required"));
        QTRY_VERIFY(w.ComboMaterials->hasFocus());
        const int si = MaterialId(*s, "Si");
        QVERIFY(si > 0);
        w.ComboMaterials->setCurrentIndex(w.ComboMaterials->findData(si));
        emit w.ComboMaterials->activated(w.ComboMaterials->currentIndex());
        QCOMPARE(s->state.model.Layers[1].MaterialId, si);
        QVERIFY(std::isfinite(s->state.model.Layers[1].Resistance));
    }

    // Changing the angle with the arrows marks the model changed, so the save prompt appears.
    void angleArrowsMarkTheModelChanged() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        s->state.model.ModelChanged = false;
        w.HScrAngle->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s->state.model.Layers[1].SpreadAngle, 1.0f);
        QCOMPARE(w.LabelThermAngValue->text(), QStringLiteral("1\u00B0"));
        QVERIFY(s->state.model.ModelChanged);
    }

    void unitSwitch() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        Type(w.TextDevWidth, "25.4");
        Leave(w, w.TextDevWidth);
        s->state.model.ModelChanged = false;
        w.mnuMillimeters->trigger();
        QVERIFY(!s->state.model.ModelChanged);
        QVERIFY(w.mnuMillimeters->isChecked() && !w.mnuInches->isChecked());
        w.mnuInches->trigger();
        QCOMPARE(s->state.model.Layers[0].Width, 1.0f);
        QCOMPARE(w.TextDevWidth->text(), QStringLiteral("1.00"));
        QCOMPARE(w.LabelLengthUnit->text(), QStringLiteral("in."));
        QVERIFY(s->state.model.ModelChanged);
    }

    // A command from the menu commits the field being edited first.
    void menuCommandCommitsTheField() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        Type(w.TextThermOutput, "5");
        const QString path = s->Path("typed.mdl");
        s->desktop.files.push_back(path);
        w.mnuSaveAs->trigger();
        Model saved;
        QVERIFY(LoadModelFile(saved, s->state.materials, ModelDefaults{}, path.toStdString()).Ok);
        QCOMPARE(saved.PowerDissipation, 5.0f);
        QCOMPARE(w.windowTitle(), QStringLiteral("Strativex -- typed.mdl"));

        Type(w.TextThermOutput, "5000");
        s->desktop.files.push_back(s->Path("never.mdl"));
        w.mnuOpen->trigger();
        QVERIFY(s->desktop.fileRequests.size() == 1);
        QCOMPARE(s->desktop.messages.back().Title,
                 QStringLiteral("Thermal Output Value Out of Range"));
    }

    // Yes to the prompt and then a cancelled Save As: the changes are kept, nothing opens.
    void yesThenCancelledSaveAsKeepsTheChanges() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        s->desktop.answers.push_back(MessageAnswer::Yes);
        s->desktop.files.push_back(std::nullopt);
        w.mnuOpen->trigger();
        QCOMPARE(s->desktop.messages.back().Text,
                 QStringLiteral("Current model has been changed.  Save these changes?"));
        QCOMPARE(s->desktop.messages.back().Buttons, MessageButtons::YesNoCancel);
        QCOMPARE(s->desktop.fileRequests.size(), std::size_t{1});
        QCOMPARE(s->desktop.fileRequests[0].Title, QStringLiteral("Save Model '(Untitled)' As..."));
        QCOMPARE(s->state.model.LayerCount, 1);
        QVERIFY(s->state.model.ModelChanged);

        s->desktop.answers.push_back(MessageAnswer::Yes);
        s->desktop.files.push_back(std::nullopt);
        w.mnuExit->trigger();
        QVERIFY(w.isVisible());
    }

    void yesThenSaveGoesOnToOpen() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        Model other;
        ResetToNewModel(other, ModelDefaults{});
        other.ModelName = "Other";
        const QString path = s->Path("other.mdl");
        QVERIFY(SaveModelFile(other, path.toStdString()).Ok);
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        s->desktop.answers.push_back(MessageAnswer::Yes);
        s->desktop.files.push_back(s->Path("mine.mdl"));
        s->desktop.files.push_back(path);
        w.mnuOpen->trigger();
        QCOMPARE(s->desktop.fileRequests[1].Title, QStringLiteral("Open Existing Model"));
        QCOMPARE(s->state.model.ModelName, std::string("Other"));
        QVERIFY(!s->state.model.ModelChanged);
        QCOMPARE(w.windowTitle(), QStringLiteral("Strativex -- other.mdl"));
        Model mine;
        QVERIFY(LoadModelFile(mine, s->state.materials, ModelDefaults{},
                              s->Path("mine.mdl").toStdString())
                    .Ok);
        QCOMPARE(mine.LayerCount, 1);
    }

    void unknownMaterialIsReported() {
        auto s = Start();
        QVERIFY(s);
        Model model;
        ResetToNewModel(model, ModelDefaults{});
        AddLayer(model, ModelDefaults{});
        model.Layers[1].MaterialId = 999;
        const QString path = s->Path("unknown.mdl");
        QVERIFY(SaveModelFile(model, path.toStdString()).Ok);
        s->desktop.files.push_back(path);
        s->window->mnuOpen->trigger();
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Materials Not Found"));
        QVERIFY(LastMessage(s->desktop).endsWith("Layer 1: material id 999"));
        QCOMPARE(s->state.model.Layers[1].MaterialId, 0);
        QVERIFY(!s->state.model.ModelChanged);
    }

    void failedLoadLeavesANewModelAndTheRecentEntry() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        const QString path = s->Path("gone.mdl");
        s->state.prefs.RecentFiles[1] = path.toStdString();
        s->desktop.files.push_back(path);
        w.mnuOpen->trigger();
        QCOMPARE(LastMessage(s->desktop),
                 path + "\r\nCannot open specified file.\r\nModel not loaded.");
        QCOMPARE(s->desktop.messages.back().Icon, MessageIcon::Exclamation);
        QCOMPARE(w.windowTitle(), QStringLiteral("Strativex -- untitled.mdl"));
        QCOMPARE(s->state.prefs.RecentFiles[1], path.toStdString());
    }

    void recentFilesMoveToTheTop() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        QStringList paths;
        for (const char* name : {"a.mdl", "b.mdl", "c.mdl"}) {
            Model m;
            ResetToNewModel(m, ModelDefaults{});
            paths << s->Path(name);
            QVERIFY(SaveModelFile(m, paths.back().toStdString()).Ok);
            s->desktop.files.push_back(paths.back());
            w.mnuOpen->trigger();
        }
        // The menu shows the path shortened to fit its width.
        QVERIFY(w.mnuRecent[1]->text().startsWith("&1  /"));
        QVERIFY(w.mnuRecent[1]->text().endsWith("/c.mdl"));
        QVERIFY(w.mnuRecent[3]->isVisible() && !w.mnuRecent[4]->isVisible());
        w.mnuRecent[3]->trigger();
        QCOMPARE(s->state.prefs.RecentFiles[1], paths[0].toStdString());
        QCOMPARE(s->state.prefs.RecentFiles[2], paths[2].toStdString());
        QCOMPARE(s->state.prefs.RecentFiles[3], paths[1].toStdString());
        QCOMPARE(w.windowTitle(), QStringLiteral("Strativex -- a.mdl"));
    }

    void preferencesEndingAfterLine17() {
        auto session = std::make_unique<Session>();
        const QString folder = session->dir.path();
        InstallMaterials(folder);
        Preferences prefs = PrefsFor(folder, LengthUnit::Millimeters);
        prefs.RecentFiles[1] = "/x/a.mdl";
        const std::string text = PreferencesText(prefs);
        std::size_t cut = 0;
        for (int line = 0; line < 17; ++line) cut = text.find("\r\n", cut) + 2;
        QFile file(folder + "/prefs.txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.substr(0, cut).c_str());
        file.close();
        MainWindow window(session->state, session->desktop);
        QVERIFY(window.Start(folder));
        QCOMPARE(session->desktop.messages[0].Text,
                 "Unknown error loading preferences from " + folder +
                     "/prefs.txt\r\nDefault preference settings will be restored.");
        QVERIFY(!window.mnuRecent[1]->isVisible());
        QCOMPARE(session->state.model.UnitSystem, LengthUnit::Inches);
    }

    void preferencesWrittenAtExitReadBack() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        w.mnuInches->trigger();
        s->state.prefs.DecimalDigits[6] = 4;
        s->state.model.ModelChanged = false;
        w.close();
        QVERIFY(!w.isVisible());
        Preferences read;
        QVERIFY(LoadPreferences(read, s->state.folders, s->Path("prefs.txt").toStdString()).Ok);
        QCOMPARE(read.UnitSystem, LengthUnit::Inches);
        QCOMPARE(read.DecimalDigits[6], 4);
        QCOMPARE(PreferencesText(read), PreferencesText(s->state.prefs));
    }

    void exportAndPrintTheReport() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        const QString pdf = s->Path("report.pdf");
        s->desktop.files.push_back(pdf);
        w.mnuExportPdf->trigger();
        QCOMPARE(s->desktop.fileRequests.back().FileName, QStringLiteral("untitled.pdf"));
        QFile exported(pdf);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QVERIFY(exported.read(5) == "%PDF-");

        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(s->Path("printed.pdf"));
        s->desktop.printers.push_back(std::move(printer));
        w.mnuPrint->trigger();
        QVERIFY(QFileInfo(s->Path("printed.pdf")).size() > 0);

        s->desktop.files.push_back(s->Path("missing-folder/report.pdf"));
        w.mnuExportPdf->trigger();
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Error Exporting PDF"));
    }

    void helpDocumentsOpenFromTheProgramFolder() {
        auto s = Start();
        QVERIFY(s);
        s->window->mnuHowTo->trigger();
        QCOMPARE(s->desktop.openedDocuments, QStringList{s->Path("SX-How To.pdf")});
    }

    // Whatever the editor did, the materials are read again when it closes, in full.
    void materialsReloadAfterTheEditor() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        const int before = w.ComboMaterials->count();
        QFile custom(s->Path("Materials/matcust.dat"));
        QVERIFY(custom.open(QIODevice::WriteOnly));
        for (int i = 0; i < 25; ++i)
            custom.write(QStringLiteral("%1,\"C%1\",2,0\r\n").arg(500 + i).toLatin1());
        custom.close();
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog->reject();
            }
        });
        w.mnuCustomMat->trigger();
        QCOMPARE(w.ComboMaterials->count(), before + 25);
    }

    void closingAsksAndCancelKeepsTheWindow() {
        auto s = Start();
        QVERIFY(s);
        MainWindow& w = *s->window;
        QTest::mouseClick(w.CmdAddLayer, Qt::LeftButton);
        s->desktop.answers.push_back(MessageAnswer::Cancel);
        w.close();
        QVERIFY(w.isVisible());
        QVERIFY(!QFile::exists(s->Path("prefs.txt.never")));
        s->desktop.answers.push_back(MessageAnswer::No);
        w.close();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
