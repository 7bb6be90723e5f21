#include <QtTest>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <memory>

#include "core/layer_commands.h"
#include "core/thermal_calc.h"
#include "mainwindow/main_window.h"
#include "mainwindow/window_layout.h"
#include "persistence/model_file.h"
#include "support/file_bytes.h"
#include "support/main_window_session.h"
#include "support/pdf_text.h"
#include "support/program_folder.h"
#include "support/run_program.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");

using Session = MainWindowSession;

Model NewModel(const char* name = nullptr) {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    if (name != nullptr) model.ModelName = name;
    return model;
}

int MaterialId(const Session& s, const char* name) {
    for (const auto& entry : MaterialListEntries(s.state.materials)) {
        if (entry.Name == name) return entry.Id;
    }
    return -1;
}

void PickMaterial(const Session& s, int id) {
    QComboBox* list = s.Materials();
    list->setCurrentIndex(list->findData(id));
    emit list->activated(list->currentIndex());
}

// Answers the next modal dialog with Cancel once it is open.
void CancelNextDialog() {
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
        }
    });
}

QString SaveModelNamed(const Session& s, const char* name, Model model) {
    const QString path = s.Path(name);
    return SaveModelFile(model, path.toStdString()).Ok ? path : QString();
}

}  // namespace

Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(WindowState)

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutPreferences() {
        auto s = StartSession(std::nullopt);
        QVERIFY(s && s->started);
        QVERIFY(s->desktop.messages.empty());
        QCOMPARE(s->W().windowTitle(), QStringLiteral("Strativex -- untitled.mdl[*]"));
        QVERIFY(s->Option(0)->isChecked());
        QCOMPARE(Child<QGroupBox>(s->W(), "FrameLayerData")->title(),
                 QStringLiteral("Properties of Heat Source"));
        QVERIFY(Child<QWidget>(s->W(), "FrameDeviceOnly")->isVisible());
        QVERIFY(!Child<QWidget>(s->W(), "FrameLayersOnly")->isVisible());
        QCOMPARE(Text(s->W(), "LabelWidthUnit"), QStringLiteral("in."));
        QVERIFY(s->Action("mnuInches")->isChecked() && !s->Action("mnuMillimeters")->isChecked());
        QCOMPARE(Text(s->W(), "LabelIsothermUnit"), QStringLiteral("\u00B0C"));
        QVERIFY(s->Button("CmdAddLayer")->isEnabled());
        QVERIFY(!s->Button("CmdCopyLayer")->isEnabled() &&
                !s->Button("CmdDeleteLayer")->isEnabled());
        QVERIFY(!s->W().isWindowModified());
        QVERIFY(s->Materials()->count() > 10);
    }

    void materialsProblemsAtStartUp_data() {
        QTest::addColumn<QByteArray>("standardFile");  // empty: none
        QTest::addColumn<QString>("message");          // %1: the standard file's path
        QTest::addColumn<MessageIcon>("icon");
        QTest::newRow("missing") << QByteArray()
                                 << "Unable to find standard materials data file\r\n'%1'\r\n"
                                    "Look for file in a different location?\r\n"
                                    "(Click OK to browse for file, Cancel to exit program)"
                                 << MessageIcon::None;
        QTest::newRow("damaged") << QByteArray("\x01\r\n") << "" << MessageIcon::Critical;
        const QByteArray good =
            ReadBytes(QStringLiteral(STRATIVEX_BIN_DIR "/Materials/matprops.dat"));
        QTest::newRow("cut to its first 10 bytes") << good.left(10) << "" << MessageIcon::Critical;
    }

    void materialsProblemsAtStartUp() {
        QFETCH(QByteArray, standardFile);
        QFETCH(QString, message);
        QFETCH(MessageIcon, icon);
        Session s;
        const QString standard = s.Path("Materials/matprops.dat");
        if (!standardFile.isEmpty()) QVERIFY(WriteBytes(standard, standardFile));
        QVERIFY(SaveFolderPreferences(s.dir.path(),
                                      FolderPreferences(s.dir.path(), LengthUnit::Inches)));
        QVERIFY(!s.Start());
        QCOMPARE(s.desktop.messages.back().Icon, icon);
        QCOMPARE(s.desktop.messages.back().Title, QStringLiteral("Error Loading Materials File"));
        if (message.isEmpty()) {
            QVERIFY(s.LastMessage().endsWith("' line 0"));
        } else {
            QCOMPARE(s.LastMessage(), message.arg(standard));
        }
        QCOMPARE(s.desktop.exitCode, std::optional<int>(1));
    }

    // A custom file the program cannot use in full is named, with every line it skipped, in
    // one message.
    void customMaterialsProblemsAreReported_data() {
        QTest::addColumn<QByteArray>("custom");  // empty: a folder in its place
        QTest::addColumn<QString>("message");    // after the file's path
        QTest::addColumn<int>("loaded");
        QTest::newRow("a folder") << QByteArray()
                                  << "The custom materials could not be read: is a directory." << 0;
        QTest::newRow("skipped lines")
            << QByteArray(
                   "9001,\"Good\",1,0\r\n9002,\"Bad\",1,nan\r\n9001,\"Twin\",1,0\r\n"
                   "9003,\"Also good\",1,0\r\n")
            << "These lines hold no custom material the program can use and were skipped:\r\n"
               "line 2: B 'nan' is not a number\r\nline 3: id 9001 already used on line 1"
            << 2;
    }

    void customMaterialsProblemsAreReported() {
        QFETCH(QByteArray, custom);
        QFETCH(QString, message);
        QFETCH(int, loaded);
        Session s;
        const QString file = s.Path("Materials/matcust.dat");
        QVERIFY(PlantProgramFolder(s.dir.path(), LengthUnit::Inches));
        QVERIFY(custom.isEmpty() ? QDir().mkpath(file) : WriteBytes(file, custom));
        QVERIFY(s.Start());
        QCOMPARE(s.desktop.messages.size(), std::size_t{1});
        QCOMPARE(s.LastMessage(), file + "\r\n" + message);
        QCOMPARE(s.state.materials.CustomCount, loaded);
    }

    void layerCommands() {
        auto s = StartSession();
        QVERIFY(s);
        Model& model = s->state.model;
        for (int i = 1; i <= 10; ++i) s->Click("CmdAddLayer");
        QCOMPARE(model.LayerCount, 10);
        for (int i = 1; i <= 10; ++i) QCOMPARE(model.Layers[i].ColorIndex, i - 1);
        QVERIFY(!s->Button("CmdAddLayer")->isEnabled() && !s->Button("CmdCopyLayer")->isEnabled());
        QVERIFY(s->Option(10)->isVisible() && s->Option(10)->isChecked());
        QVERIFY(!s->Option(11)->isVisible());
        QCOMPARE(Child<QGroupBox>(s->W(), "FrameLayerData")->title(),
                 QStringLiteral("Properties of Layer 10"));
        QCOMPARE(s->Materials()->currentIndex(), -1);
        QVERIFY(s->W().isWindowModified());

        for (int i = 1; i <= 10; ++i) model.Layers[i].Description = "L" + std::to_string(i);
        s->Select(3);
        s->Click("CmdDeleteLayer");
        QCOMPARE(model.LayerCount, 9);
        QCOMPARE(s->W().Document().CurrentLayer(), 3);
        QCOMPARE(s->Edit("TextLayerDescrip")->text(), QStringLiteral("L4"));
        QVERIFY(!s->Option(10)->isVisible());

        s->Select(2);
        s->Click("CmdMoveLayerUp");
        QCOMPARE(model.Layers[1].Description, std::string("L2"));
        QCOMPARE(s->W().Document().CurrentLayer(), 1);
        QVERIFY(s->Option(1)->isChecked());
        QVERIFY(!s->Button("CmdMoveLayerUp")->isEnabled() &&
                s->Button("CmdMoveLayerDown")->isEnabled());

        auto* swatch = Child<QWidget>(s->W(), "PicColor");
        const int colour = model.Layers[1].ColorIndex;
        QTest::mousePress(swatch, Qt::RightButton);
        QCOMPARE(model.Layers[1].ColorIndex, (colour + 9) % 10);
        QTest::mousePress(swatch, Qt::LeftButton);
        QCOMPARE(model.Layers[1].ColorIndex, colour);
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
        const QString thickTitle = "Layer Thickness Value Out of Range";
        const QString chars = "Character Not Supported";
        const auto row = [](const char* name, bool in, int record, const char* field,
                            const QString& typed, const QString& message = {},
                            const QString& title = {}) {
            QTest::newRow(name) << in << record << field << typed << message << title;
        };
        row("power 1000", false, 0, "TextThermOutput", "1000");
        row("isotherm -50", false, 0, "TextIsotherm", "-50");
        row("isotherm 500", false, 0, "TextIsotherm", "500");
        row("layer width 0 in.", true, 1, "TextDevWidth", "0");
        row("layer width (infinite)", true, 1, "TextDevWidth", "(infinite)");
        row("thickness 25 mm", false, 1, "TextThickness", "25");
        row("power 1000.1", false, 0, "TextThermOutput", "1000.1", power, powerTitle);
        row("power text", false, 0, "TextThermOutput", "abc",
            power + "\r\n\u2018abc\u2019 is not a number.", powerTitle);
        row("isotherm -50.5", false, 0, "TextIsotherm", "-50.5",
            "Isothermal temperature must be between -50 and 500 deg C.",
            "Isothermal Temperature Value Out of Range");
        row("device width 0 in.", true, 0, "TextDevWidth", "0",
            "Width must be between 0.001 and 10 in.", "Width Value Out of Range");
        row("device length 300 mm", false, 0, "TextDevLength", "300",
            "Length must be between 0.025 and 250 mm", "Length Value Out of Range");
        row("thickness 25.01 mm", false, 1, "TextThickness", "25.01",
            "Layer thickness must be between 2.5E-05 and 25 mm", thickTitle);
        row("thickness 0 in.", true, 1, "TextThickness", "0",
            "Layer thickness must be between 1E-06 and 1 in.", thickTitle);
        row("name outside Windows-1252", false, 0, "TextModelName", QStringLiteral("Chip \u4E2D"),
            "The text holds a character that a model file cannot store.\r\n"
            "Please use only Western European characters.",
            chars);
        row("name with a double quote", false, 0, "TextModelName", "Die \"A\"",
            "A model name cannot contain a double quote (\").", chars);
    }

    void fieldRanges() {
        QFETCH(bool, inches);
        QFETCH(int, record);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, title);
        auto s = StartSession(inches ? LengthUnit::Inches : LengthUnit::Millimeters);
        QVERIFY(s);
        if (record == 1) s->Click("CmdAddLayer");
        s->W().Document().MarkSaved();
        auto* edit = s->W().findChild<QLineEdit*>(field);
        QVERIFY(edit);
        const std::size_t before = s->desktop.messages.size();
        Type(edit, typed);
        Leave(*s, edit);
        if (message.isEmpty()) {
            QCOMPARE(s->desktop.messages.size(), before);
            if (typed == "0" || typed == "(infinite)") {
                QCOMPARE(edit->text(), QStringLiteral("(infinite)"));
            }
            return;
        }
        QCOMPARE(s->LastMessage(), message);
        QCOMPARE(s->desktop.messages.back().Title, title);
        QCOMPARE(s->desktop.messages.back().Buttons, MessageButtons::Ok);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), typed);
        QVERIFY(!s->W().isWindowModified());
    }

    // A retyped value changes nothing; a new one recalculates, redraws the views and marks the
    // model changed, and a new thickness also redraws the cross-section.
    void acceptedValueRefreshesOnlyWhenChanged() {
        auto s = StartSession();
        QVERIFY(s);
        QLineEdit* power = s->Edit("TextThermOutput");
        Type(power, "1");
        Leave(*s, power);
        QVERIFY(!s->W().isWindowModified());
        Type(power, "2.5");
        QTest::keyClick(power, Qt::Key_Return);
        QCOMPARE(s->state.model.PowerDissipation, 2.5f);
        QCOMPARE(power->text(), QStringLiteral("2.50"));
        QVERIFY(power->hasFocus());
        QVERIFY(s->W().isWindowModified());

        s->Click("CmdAddLayer");
        auto* scale = Child<QWidget>(s->W(), "PicScaleView");
        QTRY_VERIFY(!scale->visibleRegion().isEmpty());
        QCoreApplication::processEvents();
        int paints = 0;
        struct PaintCounter : QObject {
            int& count;
            explicit PaintCounter(int& c) : count(c) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) ++count;
                return false;
            }
        } counter(paints);
        scale->installEventFilter(&counter);
        Type(s->Edit("TextThickness"), "2");
        Leave(*s, s->Edit("TextThickness"));
        QTRY_VERIFY(paints > 0);
        scale->removeEventFilter(&counter);
    }

    // Looking at a model never changes it: every record selected, the digits dialog cancelled,
    // and the file saved again is the file opened, and the window's numbers are the
    // calculator's.
    void lookingNeverChangesTheModel_data() {
        QTest::addColumn<QString>("file");
        for (const QString& name : QDir(kExamples).entryList({"*.mdl"}, QDir::Files)) {
            QTest::newRow(qPrintable(name)) << kExamples + "/" + name;
        }
    }

    void lookingNeverChangesTheModel() {
        QFETCH(QString, file);
        auto s = StartSession(std::nullopt);
        QVERIFY(s);
        const QString copy = s->Path("copy.mdl");
        QVERIFY(QFile::copy(file, copy));
        const QByteArray original = ReadBytes(copy);
        s->Open(copy);
        for (int i = s->state.model.LayerCount; i >= 0; --i) {
            s->Select(i);
            for (const char* name : {"TextDevWidth", "TextDevLength", "TextThickness"}) {
                s->Edit(name)->setFocus(Qt::TabFocusReason);
            }
            CancelNextDialog();
            s->Action("mnuDigits")->trigger();
        }
        QVERIFY(!s->W().isWindowModified());
        QVERIFY(s->desktop.messages.empty());
        s->Action("mnuSave")->trigger();
        QCOMPARE(ReadBytes(copy), original);

        const Run calc =
            RunProgram(QStringLiteral(STRATIVEX_BIN_DIR "/strativex-calc"),
                       {"--format", "json", "--materials", s->Path("Materials"), copy});
        const QJsonObject json = QJsonDocument::fromJson(calc.Out).array().at(0).toObject();
        QCOMPARE(static_cast<float>(json["total_resistance_c_per_w"].toDouble()),
                 *TotalResistance(s->state.model));
        QVERIFY(qAbs(json["heat_source_temp_c"].toDouble() - *HeatSourceTempC(s->state.model)) <
                1e-4);
    }

    // What the program shows is never read back; only typed text is.
    void untypedValuesAreNeverReadBack_data() {
        QTest::addColumn<float>("thickness");  // inches
        QTest::addColumn<float>("angle");
        QTest::newRow("0.004 in. shown as 0.00") << 0.004f << 45.0f;
        QTest::newRow("8E-05 in.") << 8e-5f << 0.0f;
        QTest::newRow("negative angle") << 0.01f << -5.0f;
        QTest::newRow("half degree") << 0.01f << 12.5f;
    }

    void untypedValuesAreNeverReadBack() {
        QFETCH(float, thickness);
        QFETCH(float, angle);
        auto s = StartSession(LengthUnit::Inches);
        QVERIFY(s);
        Model model = NewModel();
        model.UnitSystem = LengthUnit::Inches;
        AddLayer(model, ModelDefaults{});
        model.Layers[1].Thickness = thickness;
        model.Layers[1].SpreadAngle = angle;
        s->Open(SaveModelNamed(*s, "tiny.mdl", model));
        const std::size_t messages = s->desktop.messages.size();
        s->Select(1);
        s->Edit("TextThickness")->setFocus(Qt::TabFocusReason);
        Leave(*s, s->Edit("TextThickness"));
        CancelNextDialog();
        s->Action("mnuDigits")->trigger();
        s->Select(0);
        s->Select(1);
        QCOMPARE(s->desktop.messages.size(), messages);
        QCOMPARE(s->state.model.Layers[1].Thickness, thickness);
        QCOMPARE(s->state.model.Layers[1].SpreadAngle, angle);
        QVERIFY(!s->W().isWindowModified());
    }

    // A click that the field being edited refuses does nothing else.
    void refusedValueStopsTheClick() {
        auto s = StartSession();
        QVERIFY(s);
        s->Click("CmdAddLayer");
        Type(s->Edit("TextThickness"), "99");
        s->Click("CmdAddLayer");
        QCOMPARE(s->state.model.LayerCount, 1);
        QCOMPARE(s->desktop.messages.back().Title,
                 QStringLiteral("Layer Thickness Value Out of Range"));
        QTest::mouseClick(s->Materials(), Qt::LeftButton);
        QVERIFY(!s->Materials()->view()->isVisible());
        s->Select(0);
        QCOMPARE(s->W().Document().CurrentLayer(), 1);
        QVERIFY(s->Option(1)->isChecked());
        QCOMPARE(s->desktop.messages.size(), std::size_t{3});
        QTRY_VERIFY(s->Edit("TextThickness")->hasFocus());
    }

    // Save, Print and the other commands that use the model commit the typed value first.
    void commandsThatUseTheModelCommitFirst() {
        auto s = StartSession();
        QVERIFY(s);
        Type(s->Edit("TextThermOutput"), "5");
        const QString path = s->Path("typed.mdl");
        s->desktop.files.push_back(path);
        s->Action("mnuSaveAs")->trigger();
        Model saved;
        QVERIFY(LoadModelFile(saved, s->state.materials, ModelDefaults{}, path.toStdString()).Ok);
        QCOMPARE(saved.PowerDissipation, 5.0f);
        QCOMPARE(s->W().windowTitle(), QStringLiteral("Strativex -- typed.mdl[*]"));

        Type(s->Edit("TextThermOutput"), "5000");
        s->Action("mnuSave")->trigger();
        QCOMPARE(s->desktop.messages.back().Title,
                 QStringLiteral("Thermal Output Value Out of Range"));
        QCOMPARE(saved.PowerDissipation, 5.0f);
    }

    void materialSelection() {
        auto s = StartSession();
        QVERIFY(s);
        s->Click("CmdAddLayer");
        s->Materials()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(s->Materials()->hasFocus());
        s->Edit("TextThickness")->setFocus(Qt::TabFocusReason);
        QCOMPARE(s->LastMessage(),
                 QStringLiteral("Please select a material for the current layer."));
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Material Selection Required"));
        QTRY_VERIFY(s->Materials()->hasFocus());
        const int si = MaterialId(*s, "Si");
        QVERIFY(si > 0);
        PickMaterial(*s, si);
        QCOMPARE(s->state.model.Layers[1].MaterialId, si);
        QVERIFY(std::isfinite(s->state.model.Layers[1].Resistance));
    }

    // Any move of the angle by the user marks the model changed, so the save prompt appears.
    void angleMovesMarkTheModelChanged() {
        auto s = StartSession();
        QVERIFY(s);
        s->Click("CmdAddLayer");
        s->W().Document().MarkSaved();
        Child<QScrollBar>(s->W(), "HScrAngle")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s->state.model.Layers[1].SpreadAngle, 1.0f);
        QCOMPARE(Text(s->W(), "LabelThermAngValue"), QStringLiteral("1\u00B0"));
        QVERIFY(s->W().isWindowModified());
    }

    void unitSwitch() {
        auto s = StartSession();
        QVERIFY(s);
        Type(s->Edit("TextDevWidth"), "25.4");
        Leave(*s, s->Edit("TextDevWidth"));
        s->W().Document().MarkSaved();
        s->Action("mnuMillimeters")->trigger();
        QVERIFY(!s->W().isWindowModified());
        QVERIFY(s->Action("mnuMillimeters")->isChecked() && !s->Action("mnuInches")->isChecked());
        s->Action("mnuInches")->trigger();
        QCOMPARE(s->state.model.Layers[0].Width, 1.0f);
        QCOMPARE(s->Edit("TextDevWidth")->text(), QStringLiteral("1.00"));
        QCOMPARE(Text(s->W(), "LabelLengthUnit"), QStringLiteral("in."));
        QVERIFY(s->W().isWindowModified());
    }

    // Commands that discard the model drop a refused value silently and go on to the prompt.
    void discardingCommandsDropARefusedValue_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("materialFocused");
        for (const char* command :
             {"close", "mnuExit", "mnuNew", "mnuOpen", "mnuRecent_1", "drop"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, abc in power").arg(command)))
                << command << false;
        }
        QTest::newRow("exit, layer without material") << "mnuExit" << true;
        QTest::newRow("close, layer without material") << "close" << true;
    }

    void discardingCommandsDropARefusedValue() {
        QFETCH(QString, command);
        QFETCH(bool, materialFocused);
        auto s = StartSession();
        QVERIFY(s);
        const QString path = SaveModelNamed(*s, "other.mdl", NewModel("Other"));
        s->state.prefs.RecentFiles[1] = path.toStdString();
        s->Click("CmdAddLayer");
        if (materialFocused) {
            s->Materials()->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(s->Materials()->hasFocus());
        } else {
            s->Select(0);
            Type(s->Edit("TextThermOutput"), "abc");
        }
        s->desktop.answers.push_back(MessageAnswer::No);
        s->desktop.files.push_back(path);
        if (command == "close") {
            s->W().close();
        } else if (command == "drop") {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&s->W(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&s->W(), &drop);
        } else {
            s->Action(qPrintable(command))->trigger();
        }
        QCOMPARE(s->desktop.messages.size(), std::size_t{1});
        QCOMPARE(s->LastMessage(),
                 QStringLiteral("Current model has been changed.  Save these changes?"));
        if (command == "close" || command == "mnuExit") {
            QVERIFY(!s->W().isVisible());
        } else if (command == "mnuNew") {
            QCOMPARE(s->state.model.LayerCount, 0);
        } else {
            QCOMPARE(s->state.model.ModelName, std::string("Other"));
        }
        QCOMPARE(s->state.model.PowerDissipation, 1.0f);
    }

    // Alt alone takes the focus to the menu bar; that is not leaving the field.
    void menuBarFocusCommitsNothing() {
        auto s = StartSession();
        QVERIFY(s);
        Type(s->Edit("TextThermOutput"), "abc");
        QFocusEvent out(QEvent::FocusOut, Qt::MenuBarFocusReason);
        QCoreApplication::sendEvent(s->Edit("TextThermOutput"), &out);
        QVERIFY(s->desktop.messages.empty());
    }

    void keyboard() {
        auto s = StartSession();
        QVERIFY(s);
        QLineEdit* name = s->Edit("TextModelName");
        name->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(name->hasFocus());
        QTest::keyClick(&s->W(), Qt::Key_Tab);
        QTRY_VERIFY(s->Button("CmdComments")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(s->Button("CmdAddLayer")->hasFocus());
        QTest::keyClick(s->Button("CmdAddLayer"), Qt::Key_Space);
        QTest::keyClick(s->Button("CmdAddLayer"), Qt::Key_Space);
        QCOMPARE(s->state.model.LayerCount, 2);

        s->Option(2)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(s->Option(2), Qt::Key_Up);
        QTRY_COMPARE(s->W().Document().CurrentLayer(), 1);

        auto* angle = Child<QScrollBar>(s->W(), "HScrAngle");
        angle->setFocus(Qt::TabFocusReason);
        QTest::keyClick(angle, Qt::Key_Right);
        QCOMPARE(s->state.model.Layers[1].SpreadAngle, 1.0f);
        auto* swatch = Child<QWidget>(s->W(), "PicColor");
        QCOMPARE(swatch->focusPolicy(), Qt::TabFocus);
        swatch->setFocus(Qt::TabFocusReason);
        QTest::keyClick(swatch, Qt::Key_Space);
        QCOMPARE(s->state.model.Layers[1].ColorIndex, 1);

        QCOMPARE(s->Action("mnuSave")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(s->Action("mnuExit")->shortcut(), QKeySequence(QKeySequence::Quit));
        QCOMPARE(s->Action("mnuTopics")->shortcut(), QKeySequence(QKeySequence::HelpContents));
        QCOMPARE(s->Action("mnuOpen")->text(), QStringLiteral("&Open Existing Model"));
    }

    // Yes to the prompt and then a cancelled Save As: the changes are kept, nothing opens.
    void yesThenCancelledSaveAsKeepsTheChanges() {
        auto s = StartSession();
        QVERIFY(s);
        s->Click("CmdAddLayer");
        s->desktop.answers.push_back(MessageAnswer::Yes);
        s->desktop.files.push_back(std::nullopt);  // the Save As dialog, cancelled
        s->Action("mnuOpen")->trigger();
        QCOMPARE(s->desktop.messages.back().Buttons, MessageButtons::YesNoCancel);
        QCOMPARE(s->desktop.fileRequests.size(), std::size_t{1});
        QCOMPARE(s->desktop.fileRequests[0].Title, QStringLiteral("Save Model '(Untitled)' As..."));
        QCOMPARE(s->state.model.LayerCount, 1);
        QVERIFY(s->W().isWindowModified());

        s->desktop.answers.push_back(MessageAnswer::Yes);
        s->desktop.files.push_back(std::nullopt);
        s->Action("mnuExit")->trigger();
        QVERIFY(s->W().isVisible());
    }

    void yesThenSaveGoesOnToOpen() {
        auto s = StartSession();
        QVERIFY(s);
        const QString path = SaveModelNamed(*s, "other.mdl", NewModel("Other"));
        s->Click("CmdAddLayer");
        s->desktop.answers.push_back(MessageAnswer::Yes);
        s->desktop.files.push_back(s->Path("mine.mdl"));
        s->Open(path);
        QCOMPARE(s->desktop.fileRequests[1].Title, QStringLiteral("Open Existing Model"));
        QCOMPARE(s->state.model.ModelName, std::string("Other"));
        QVERIFY(!s->W().isWindowModified());
        QCOMPARE(s->W().windowTitle(), QStringLiteral("Strativex -- other.mdl[*]"));
        Model mine;
        QVERIFY(LoadModelFile(mine, s->state.materials, ModelDefaults{},
                              s->Path("mine.mdl").toStdString())
                    .Ok);
        QCOMPARE(mine.LayerCount, 1);
    }

    // A layer without a material of the tables, whatever its id, is named on opening.
    void unknownMaterialIsReported_data() {
        QTest::addColumn<int>("id");
        QTest::newRow("not in the tables") << 999;
        QTest::newRow("no material") << -1;
    }

    void unknownMaterialIsReported() {
        QFETCH(int, id);
        auto s = StartSession();
        QVERIFY(s);
        Model model = NewModel();
        AddLayer(model, ModelDefaults{});
        model.Layers[1].MaterialId = static_cast<std::int16_t>(id);
        s->Open(SaveModelNamed(*s, "unknown.mdl", model));
        QCOMPARE(s->desktop.messages.size(), std::size_t{1});
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Materials Not Found"));
        QVERIFY(s->LastMessage().endsWith(QStringLiteral("Layer 1: material id %1").arg(id)));
        QCOMPARE(s->state.model.Layers[1].MaterialId, 0);
        QVERIFY(!s->W().isWindowModified());
    }

    // Values the fields would refuse are kept as the file has them, and named once on opening.
    void valuesOutOfRangeAreReportedOnOpening() {
        auto s = StartSession();
        QVERIFY(s);
        Model model = NewModel();
        model.UnitSystem = LengthUnit::Millimeters;
        AddLayer(model, ModelDefaults{});
        model.Layers[1].MaterialId = static_cast<std::int16_t>(MaterialId(*s, "Si"));
        model.PowerDissipation = 1e9f;
        model.Layers[1].SpreadAngle = 89.9f;
        s->Open(SaveModelNamed(*s, "outside.mdl", model));
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Values Out of Range"));
        QVERIFY2(s->LastMessage().endsWith(
                     "as the file holds them:\r\npower 1E+09 W is outside the accepted 0.0001 "
                     "to 1000 W\r\nlayer 1 spreading angle 89.9 deg is outside the accepted 0 "
                     "to 45 deg"),
                 qPrintable(s->LastMessage()));
        QCOMPARE(s->state.model.PowerDissipation, 1e9f);
        QVERIFY(!s->W().isWindowModified());
    }

    void failedLoadLeavesANewModelAndTheRecentEntry() {
        auto s = StartSession();
        QVERIFY(s);
        const QString path = s->Path("gone.mdl");
        s->state.prefs.RecentFiles[1] = path.toStdString();
        s->Open(path);
        QCOMPARE(s->LastMessage(), path + "\r\nCannot open specified file.\r\nModel not loaded.");
        QCOMPARE(s->desktop.messages.back().Icon, MessageIcon::Exclamation);
        QCOMPARE(s->W().windowTitle(), QStringLiteral("Strativex -- untitled.mdl[*]"));
        QCOMPARE(s->state.prefs.RecentFiles[1], path.toStdString());
    }

    void recentFilesMoveToTheTop() {
        auto s = StartSession();
        QVERIFY(s);
        QStringList paths;
        const Model m = NewModel();
        for (const char* name : {"a.mdl", "b.mdl", "c.mdl"}) {
            paths << SaveModelNamed(*s, name, m);
            s->Open(paths.back());
        }
        // The menu shows the path shortened to fit its width, the file name always whole.
        QVERIFY(s->Action("mnuRecent_1")->text().startsWith("&1  /"));
        QVERIFY(s->Action("mnuRecent_1")->text().endsWith("/c.mdl"));
        QVERIFY(s->Action("mnuRecent_3")->isVisible() && !s->Action("mnuRecent_4")->isVisible());
        s->Action("mnuRecent_3")->trigger();
        QCOMPARE(s->state.prefs.RecentFiles[1], paths[0].toStdString());
        QCOMPARE(s->state.prefs.RecentFiles[2], paths[2].toStdString());
        QCOMPARE(s->state.prefs.RecentFiles[3], paths[1].toStdString());
        QCOMPARE(s->W().windowTitle(), QStringLiteral("Strativex -- a.mdl[*]"));
    }

    void preferencesEndingAfterLine17() {
        Session s;
        QVERIFY(CopyStandardMaterials(s.Path("Materials")));
        Preferences prefs = FolderPreferences(s.dir.path(), LengthUnit::Millimeters);
        prefs.RecentFiles[1] = "/x/a.mdl";
        const std::string text = PreferencesText(prefs);
        std::size_t cut = 0;
        for (int line = 0; line < 17; ++line) cut = text.find("\r\n", cut) + 2;
        QVERIFY(WriteBytes(s.Path("prefs.txt"), QByteArray::fromStdString(text.substr(0, cut))));
        QVERIFY(s.Start());
        QCOMPARE(s.desktop.messages[0].Text,
                 "Unknown error loading preferences from " + s.Path("prefs.txt") +
                     "\r\nDefault preference settings will be restored.");
        QVERIFY(!s.Action("mnuRecent_1")->isVisible());
        QCOMPARE(s.state.model.UnitSystem, LengthUnit::Inches);
    }

    void preferencesWrittenAtExitReadBack() {
        auto s = StartSession();
        QVERIFY(s);
        s->Action("mnuInches")->trigger();
        s->state.prefs.DecimalDigits[6] = 4;
        s->W().Document().MarkSaved();
        s->W().close();
        QVERIFY(!s->W().isVisible());
        Preferences read;
        QVERIFY(LoadPreferences(read, s->state.folders, s->Path("prefs.txt").toStdString()).Ok);
        QCOMPARE(read.UnitSystem, LengthUnit::Inches);
        QCOMPARE(read.DecimalDigits[6], 4);
        QCOMPARE(PreferencesText(read), PreferencesText(s->state.prefs));
    }

    void exportAndPrintTheReport() {
        auto s = StartSession();
        QVERIFY(s);
        const QString pdf = s->Path("report.pdf");
        s->desktop.files.push_back(pdf);
        s->Action("mnuExportPdf")->trigger();
        QCOMPARE(s->desktop.fileRequests.back().FileName, QStringLiteral("untitled.pdf"));
        QVERIFY(ReadBytes(pdf).startsWith("%PDF-"));

        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(s->Path("printed.pdf"));
        s->desktop.printers.push_back(std::move(printer));
        s->Action("mnuPrint")->trigger();
        QVERIFY(QFileInfo(s->Path("printed.pdf")).size() > 0);

        s->desktop.files.push_back(s->Path("missing-folder/report.pdf"));
        s->Action("mnuExportPdf")->trigger();
        QCOMPARE(s->desktop.messages.back().Title, QStringLiteral("Error Exporting PDF"));
    }

    // The details page carries the 3-D check computed for the model as it is, and drops it once
    // the model has changed.
    void exportedReportCarriesTheCurrentCheck() {
        if (!HasPopplerTools()) QSKIP("pdftotext is not installed");
        auto s = StartSession();
        QVERIFY(s);
        s->Open(kExamples + "/igbt_on_al2o3_dbc.mdl");
        s->Action("mnuExactCheck")->trigger();
        auto* check = s->W().findChild<QWidget*>("FrmExactCheck");
        QVERIFY(check);
        Click(*check, "CmdCompute");
        QTRY_VERIFY_WITH_TIMEOUT(Child<QPushButton>(*check, "CmdCompute")->isEnabled(), 30000);
        const QString pdf = s->Path("checked.pdf");
        s->desktop.files.push_back(pdf);
        s->Action("mnuExportPdf")->trigger();
        QVERIFY(PdfText(pdf).contains("3-D check"));

        QVERIFY(ShownActive(s->W()));
        Type(s->Edit("TextThermOutput"), "100");
        Leave(*s, s->Edit("TextThermOutput"));
        s->desktop.files.push_back(pdf);
        s->Action("mnuExportPdf")->trigger();
        QVERIFY(!PdfText(pdf).contains("3-D check"));
    }

    void helpDocumentsOpenFromTheProgramFolder() {
        auto s = StartSession();
        QVERIFY(s);
        QVERIFY(QFile(s->Path("SX-How To.pdf")).open(QIODevice::WriteOnly));
        s->Action("mnuHowTo")->trigger();
        QCOMPARE(s->desktop.openedDocuments, QStringList{s->Path("SX-How To.pdf")});
    }

    // Whatever the editor did, the materials are read again when it closes, in full.
    void materialsReloadAfterTheEditor() {
        auto s = StartSession();
        QVERIFY(s);
        const int before = s->Materials()->count();
        QByteArray custom;
        for (int i = 0; i < 25; ++i)
            custom += QStringLiteral("%1,\"C%1\",2,0\r\n").arg(500 + i).toLatin1();
        QVERIFY(WriteBytes(s->Path("Materials/matcust.dat"), custom));
        CancelNextDialog();
        s->Action("mnuCustomMat")->trigger();
        QCOMPARE(s->Materials()->count(), before + 25);
    }

    void closingAsksAndCancelKeepsTheWindow() {
        auto s = StartSession();
        QVERIFY(s);
        s->Click("CmdAddLayer");
        s->desktop.answers.push_back(MessageAnswer::Cancel);
        s->W().close();
        QVERIFY(s->W().isVisible());
        s->desktop.answers.push_back(MessageAnswer::No);
        s->W().close();
        QVERIFY(!s->W().isVisible());
    }

    void storedPlacement_data() {
        QTest::addColumn<int>("left");  // twips
        QTest::addColumn<WindowState>("state");
        QTest::addColumn<bool>("kept");
        QTest::newRow("on the screen") << 300 << WindowState::Normal << true;
        QTest::newRow("off every screen") << 30000 << WindowState::Normal << false;
        QTest::newRow("minimised") << 300 << WindowState::Minimized << true;
    }

    void storedPlacement() {
        QFETCH(int, left);
        QFETCH(WindowState, state);
        QFETCH(bool, kept);
        Session s;
        QVERIFY(CopyStandardMaterials(s.Path("Materials")));
        Preferences prefs = FolderPreferences(s.dir.path(), LengthUnit::Inches);
        prefs.MainWindowLeft = static_cast<std::int16_t>(left);
        prefs.MainWindowTop = 300;
        prefs.MainWindowWidth = 10005;
        prefs.MainWindowState = state;
        QVERIFY(SaveFolderPreferences(s.dir.path(), prefs));
        QVERIFY(s.Start());
        MainWindow& window = s.W();
        window.show();
        QVERIFY(!window.isMinimized());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        // A placement on the screen comes back as stored, run after run.
        if (kept) {
            QCOMPARE(s.state.prefs.MainWindowLeft, left);
            QCOMPARE(s.state.prefs.MainWindowTop, 300);
            QCOMPARE(s.state.prefs.MainWindowWidth, 10005);
        } else {
            // Centred on the screen, up to the frame the window system adds.
            QVERIFY(screen.contains(window.frameGeometry()));
            QVERIFY(qAbs(window.frameGeometry().center().x() - screen.center().x()) <= 20);
        }
    }

    void windowLayout_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("titleWidth");
        QTest::addColumn<int>("points");
        QTest::newRow("narrow") << 10299 << 2000 << 10;
        QTest::newRow("10300") << 10300 << 2500 << 12;
        QTest::newRow("11400") << 11400 << 3500 << 16;
        QTest::newRow("12200") << 12200 << 4500 << 18;
    }

    // The margins are measured from the outer edge of the window.
    void windowLayout() {
        QFETCH(int, width);
        QFETCH(int, titleWidth);
        QFETCH(int, points);
        const WindowLayout layout = ComputeWindowLayout({width, 8000, 5175, 1125, 4950, 2295});
        QCOMPARE(layout.TableWidth, width - 5175 - 250);
        QCOMPARE(layout.TableHeight, 8000 - 1125 - 800);
        QCOMPARE(layout.ScaleHeight, 8000 - 4950 - 800);
        QCOMPARE(layout.LogoLeft, width - 2295 - 250);
        QCOMPARE(layout.TitleWidth, titleWidth);
        QCOMPARE(layout.TitlePointSize, points);
    }

    // Every caption fits its label, no label runs into the control beside it, and the window
    // does not shrink below its minimum.
    void windowKeepsItsControlsReadable() {
        auto s = StartSession();
        QVERIFY(s);
        s->W().resize(100, 100);
        QVERIFY(s->W().width() >= 9550 / 15 - 40 && s->W().height() >= 6900 / 15 - 80);
        const QList<QLabel*> labels = s->W().findChildren<QLabel*>();
        const QList<QWidget*> inputs = s->W().findChildren<QWidget*>();
        for (const QLabel* label : labels) {
            if (label->text().isEmpty() || label->wordWrap() || !label->isVisible()) continue;
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
            const QRect place(label->mapTo(&s->W(), QPoint()), label->size());
            // Fields on the same row as the label; a caption above its field may touch it.
            for (const QWidget* input : inputs) {
                if (!qobject_cast<const QLineEdit*>(input) || !input->isVisible()) continue;
                const QRect other(input->mapTo(&s->W(), QPoint()), input->size());
                const int middle = place.center().y();
                if (middle < other.top() || middle > other.bottom()) continue;
                QVERIFY2(!place.intersects(other), qPrintable(label->objectName()));
            }
        }
    }

    void longModelNameShowsItsBeginning() {
        auto s = StartSession();
        QVERIFY(s);
        Model model = NewModel();
        model.ModelName = "Begins here " + std::string(120, 'x') + " ends here";
        s->Open(SaveModelNamed(*s, "long.mdl", model));
        QCOMPARE(s->Edit("TextModelName")->cursorPosition(), 0);
    }

    void pointerFollowsAClickOnAView() {
        auto s = StartSession();
        QVERIFY(s);
        s->Click("CmdAddLayer");
        s->Click("CmdAddLayer");
        auto* pointer = Child<QLabel>(s->W(), "LabelLayerPointer");
        const int atLayer2 = pointer->y();
        auto* table = Child<QWidget>(s->W(), "PicDisplayData");
        QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(100, table->height() / 6));
        QVERIFY(s->W().Document().CurrentLayer() != 2);
        QVERIFY(pointer->y() != atLayer2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
