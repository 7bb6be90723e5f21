#include <QtTest>

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

#include <memory>

#include "core/number_format.h"
#include "core/units.h"
#include "mainwindow/main_window.h"
#include "mainwindow/view_boxes.h"
#include "persistence/model_file.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"
#include "views/data_table_texts.h"
#include "views/layer_palette.h"

using namespace strativex;

namespace {

const QString kExamples = QStringLiteral(STRATIVEX_SOURCE_DIR "/examples");

// What a new user meets: a program folder with the shipped materials and, unless a test says
// otherwise, no prefs.txt yet.
struct Session {
    QTemporaryDir dir;
    AppState state;
    ScriptedDesktop desktop;
    std::unique_ptr<MainWindow> window;

    MainWindow& W() const { return *window; }
    QLineEdit* Edit(const QString& name) const { return Child<QLineEdit>(*window, name); }
    QAction* Action(const char* name) const { return Child<QAction>(*window, name); }
    QRadioButton* Option(int i) const {
        return Child<QRadioButton>(*window, QStringLiteral("OptLayer_%1").arg(i));
    }
};

std::unique_ptr<Session> Start(std::optional<LengthUnit> unit = LengthUnit::Millimeters) {
    auto s = std::make_unique<Session>();
    const QString folder = s->dir.path();
    QDir().mkpath(folder + "/Materials");
    QFile::copy(QStringLiteral(STRATIVEX_BIN_DIR "/Materials/matprops.dat"),
                folder + "/Materials/matprops.dat");
    if (unit) {
        Preferences prefs;
        prefs.UnitSystem = *unit;
        prefs.MaterialsFolder = (folder + "/Materials").toStdString();
        prefs.ModelsFolder = folder.toStdString();
        SavePreferences(prefs, (folder + "/prefs.txt").toStdString());
    }
    s->window = std::make_unique<MainWindow>(s->state, s->desktop);
    if (!s->window->Start(folder)) return nullptr;
    s->window->show();
    QApplication::setActiveWindow(s->window.get());
    if (!QTest::qWaitForWindowActive(s->window.get())) return nullptr;
    return s;
}

void Type(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    field->selectAll();
    field->insert(text);
}

void Leave(const Session& s) {
    s.Edit("TextModelName")->setFocus(Qt::TabFocusReason);
}

void AddLayers(Session& s, int count) {
    for (int i = 0; i < count; ++i) Click(s.W(), "CmdAddLayer");
}

// The record a field belongs to: the heat source's own fields, or layer 1's.
int RecordOf(const QString& field) {
    return field == "TextThermOutput" || field == "TextIsotherm" ? 0 : 1;
}

float Stored(const Session& s, const QString& field) {
    const Model& m = s.state.model;
    const Layer& record = m.Layers[RecordOf(field)];
    if (field == "TextThermOutput") return m.PowerDissipation;
    if (field == "TextIsotherm") return m.IsothermalTemp;
    if (field == "TextDevWidth") return record.Width;
    if (field == "TextDevLength") return record.Length;
    return record.Thickness;
}

void AddFieldColumns() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
}

const QStringList kNumberFields{"TextThermOutput", "TextIsotherm", "TextDevWidth", "TextDevLength",
                                "TextThickness"};

enum class Picker { Button, Strip, Table };

}  // namespace

Q_DECLARE_METATYPE(Picker)
Q_DECLARE_METATYPE(MessageAnswer)

class TestWindowInput : public QObject {
    Q_OBJECT

private slots:
    // Text that is not wholly a number used to read as its leading number, or as 0.
    void fieldRefusesWhatIsNotANumber_data() {
        AddFieldColumns();
        QTest::addColumn<QString>("explained");
        for (const QString& field : kNumberFields) {
            const QByteArray name = field.toLatin1();
            QTest::newRow(name + " abc") << field << "abc"
                                         << "\u2018abc\u2019 is not a number.";
            QTest::newRow(name + " 12abc") << field << "12abc"
                                           << "\u201812abc\u2019 is not a number.";
            QTest::newRow(name + " 1,5")
                << field << "1,5"
                << "\u20181,5\u2019 is not a number: use a point as the decimal separator.";
        }
        QTest::newRow("heat source width empty") << "TextDevWidth"
                                                 << ""
                                                 << "The field is empty.";
    }

    void fieldRefusesWhatIsNotANumber() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, explained);
        auto s = Start();
        QVERIFY(s);
        AddLayers(*s, 1);
        s->Option(field == "TextDevWidth" && typed.isEmpty() ? 0 : RecordOf(field))->click();
        const float before = Stored(*s, field);
        const bool changed = s->state.model.ModelChanged;
        QLineEdit* edit = s->Edit(field);
        Type(edit, typed);
        Leave(*s);
        QTRY_COMPARE(s->desktop.messages.size(), std::size_t{1});
        const QStringList lines = s->desktop.messages[0].Text.split("\r\n");
        QVERIFY2(lines[0].contains(" must be between "), qPrintable(lines[0]));
        QCOMPARE(lines[1], explained);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), typed);
        QCOMPARE(Stored(*s, field), before);
        QCOMPARE(s->state.model.ModelChanged, changed);
    }

    void fieldTakesANumberWithItsUnit_data() {
        AddFieldColumns();
        QTest::addColumn<float>("expected");
        QTest::newRow("power") << "TextThermOutput"
                               << " 2.5 W" << 2.5f;
        QTest::newRow("temperature") << "TextIsotherm"
                                     << " 2.5 \u00B0C" << 2.5f;
        QTest::newRow("width") << "TextDevWidth"
                               << " 2.5 mm" << 2.5f;
        QTest::newRow("length without a blank") << "TextDevLength"
                                                << "2.5mm " << 2.5f;
        QTest::newRow("thickness") << "TextThickness"
                                   << " 2.5 mm" << 2.5f;
        QTest::newRow("exponent") << "TextThickness"
                                  << "2.5E-02" << 0.025f;
        QTest::newRow("no limit typed") << "TextDevWidth"
                                        << " (infinite) " << 0.0f;
    }

    void fieldTakesANumberWithItsUnit() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(float, expected);
        auto s = Start();
        QVERIFY(s);
        AddLayers(*s, 1);
        s->Option(RecordOf(field))->click();
        Type(s->Edit(field), typed);
        Leave(*s);
        QTRY_VERIFY(s->Edit("TextModelName")->hasFocus());
        QVERIFY(s->desktop.messages.empty());
        QCOMPARE(Stored(*s, field), expected);
        QVERIFY(s->state.model.ModelChanged);
    }

    // Only a limit the layer already lacks may be cleared away; a limit cleared by mistake
    // would otherwise become none.
    void emptyLayerSize_data() {
        QTest::addColumn<float>("stored");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("showing a width") << 12.0f << false;
        QTest::newRow("showing (infinite)") << 0.0f << true;
    }

    void emptyLayerSize() {
        QFETCH(float, stored);
        QFETCH(bool, accepted);
        auto s = Start();
        QVERIFY(s);
        AddLayers(*s, 1);
        s->state.model.Layers[1].Width = stored;
        s->Option(0)->click();
        s->Option(1)->click();
        Type(s->Edit("TextDevWidth"), QString());
        Leave(*s);
        QTRY_COMPARE(s->desktop.messages.size(), std::size_t{accepted ? 0u : 1u});
        QCOMPARE(s->state.model.Layers[1].Width, stored);
        if (!accepted) {
            QVERIFY(s->desktop.messages[0].Text.contains("Type 0 or (infinite)"));
        } else {
            QCOMPARE(s->Edit("TextDevWidth")->text(), QStringLiteral("(infinite)"));
        }
    }

    // Selecting a record hides the frame of the other kind; the focus must not fall through to
    // the model name, where the next key typed would replace the name.
    void focusAfterSelectingARecord_data() {
        QTest::addColumn<Picker>("picker");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("expected");
        const std::pair<Picker, const char*> pickers[] = {
            {Picker::Button, "button"}, {Picker::Strip, "strip"}, {Picker::Table, "table"}};
        for (const auto& [picker, name] : pickers) {
            const QByteArray row(name);
            QTest::newRow(row + ", heat source frame")
                << picker << "TextThermOutput" << 0 << 1 << "TextLayerDescrip";
            QTest::newRow(row + ", layer frame")
                << picker << "TextThickness" << 1 << 0 << "TextLayerDescrip";
            QTest::newRow(row + ", record frame")
                << picker << "TextDevWidth" << 1 << 2 << "TextDevWidth";
            QTest::newRow(row + ", model name")
                << picker << "TextModelName" << 0 << 2 << "TextModelName";
        }
    }

    void focusAfterSelectingARecord() {
        QFETCH(Picker, picker);
        QFETCH(QString, focused);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, expected);
        auto s = Start();
        QVERIFY(s);
        AddLayers(*s, 2);
        s->Option(from)->click();
        s->Edit(focused)->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(s->Edit(focused)->hasFocus());
        switch (picker) {
            case Picker::Button:
                QTest::mouseClick(s->Option(to), Qt::LeftButton);
                break;
            case Picker::Strip:
                emit Child<ViewBox>(s->W(), "PicLayerSelect")->recordClicked(to);
                break;
            case Picker::Table:
                emit Child<ViewBox>(s->W(), "PicDisplayData")->recordClicked(to);
                break;
        }
        QCOMPARE(s->state.model.CurrentLayer, to);
        QTRY_VERIFY(s->Edit(expected)->hasFocus());
        const std::string name = s->state.model.ModelName;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
        Leave(*s);
        if (focused != "TextModelName") QCOMPARE(s->state.model.ModelName, name);
    }

    // A thin layer in inches (a die attach of 0.12 mm is 0.0047 in.) must not read 0.
    void thinLayerNeverShowsAsZero_data() {
        QTest::addColumn<int>("digits");
        for (int d = 0; d <= 4; ++d) QTest::newRow(qPrintable(QString::number(d))) << d;
    }

    void thinLayerNeverShowsAsZero() {
        QFETCH(int, digits);
        auto s = Start();
        QVERIFY(s);
        s->desktop.files.push_back(kExamples + "/igbt_on_al2o3_dbc.mdl");
        s->Action("mnuOpen")->trigger();
        s->Action("mnuInches")->trigger();
        s->state.prefs.DecimalDigits[ThicknessSlot(LengthUnit::Inches)] =
            static_cast<std::int16_t>(digits);
        const Model& model = s->state.model;
        for (int layer = 1; layer <= model.LayerCount; ++layer) {
            s->Option(layer)->click();
            const float thickness = model.Layers[layer].Thickness;
            const QString field = s->Edit("TextThickness")->text();
            const QString cell =
                RowTexts(ViewInputsOf(s->state, StandardLayerPalette()), layer).Thickness;
            for (const QString& shown : {field, cell}) {
                const double read = ReadNumber(shown.toStdString());
                QVERIFY2(read > 0.0, qPrintable(shown));
                // Rounded to its last shown decimal, or to one significant digit at most.
                QVERIFY2(std::fabs(read - thickness) <= 0.5 * read, qPrintable(shown));
            }
        }
    }

    void firstStartSaysNothingAndOpensInAFolderThatExists() {
        auto s = Start(std::nullopt);
        QVERIFY(s);
        QVERIFY(s->desktop.messages.empty());
        s->Action("mnuOpen")->trigger();
        QCOMPARE(s->desktop.fileRequests.size(), std::size_t{1});
        const QString folder = s->desktop.fileRequests[0].Folder;
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        QCOMPARE(folder, s->dir.path() + "/Models");
        s->W().close();
        QVERIFY(s->desktop.messages.empty());
        QVERIFY(QFileInfo::exists(s->dir.path() + "/prefs.txt"));
    }

    void unreadablePreferencesAreStillReported() {
        QTemporaryDir dir;
        const QString prefs = dir.path() + "/prefs.txt";
        QVERIFY(QDir().mkpath(prefs));
        AppState state;
        ScriptedDesktop desktop;
        QDir().mkpath(dir.path() + "/Materials");
        QFile::copy(QStringLiteral(STRATIVEX_BIN_DIR "/Materials/matprops.dat"),
                    dir.path() + "/Materials/matprops.dat");
        MainWindow window(state, desktop);
        QVERIFY(window.Start(dir.path()));
        QVERIFY(!desktop.messages.empty());
        QCOMPARE(desktop.messages[0].Title, QStringLiteral("Error Loading Preferences"));
    }

    void folderGoneSinceOpensItsParent() {
        auto s = Start();
        QVERIFY(s);
        s->state.prefs.ModelsFolder = (s->dir.path() + "/gone/deeper").toStdString();
        s->Action("mnuOpen")->trigger();
        QCOMPARE(s->desktop.fileRequests.back().Folder, s->dir.path());
    }

    void helpWithoutAViewerSaysWhere_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("folderViewer");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QStringList>("said");
        const QString where = "could not be opened:";
        const QString folderToo = "could not be opened either";
        QTest::newRow("folder opened") << true << true << MessageAnswer::Ok << QStringList{where};
        QTest::newRow("folder not wanted")
            << true << true << MessageAnswer::Cancel << QStringList{where};
        QTest::newRow("no viewer for folders either")
            << true << false << MessageAnswer::Ok << QStringList{where, folderToo};
        QTest::newRow("document missing")
            << false << true << MessageAnswer::Ok << QStringList{"was not found"};
    }

    void helpWithoutAViewerSaysWhere() {
        QFETCH(bool, present);
        QFETCH(bool, folderViewer);
        QFETCH(MessageAnswer, answer);
        QFETCH(QStringList, said);
        auto s = Start();
        QVERIFY(s);
        const QString document = s->dir.path() + "/SX-Topics.pdf";
        if (present) QVERIFY(QFile(document).open(QIODevice::WriteOnly));
        s->desktop.viewerPresent = false;
        s->desktop.folderViewerPresent = folderViewer;
        s->desktop.answers.push_back(answer);
        QTest::keyClick(&s->W(), Qt::Key_F1);
        QCOMPARE(s->desktop.messages.size(), std::size_t(said.size()));
        QVERIFY(s->desktop.messages[0].Text.contains(document));
        for (int i = 0; i < said.size(); ++i) {
            QVERIFY2(s->desktop.messages[i].Text.contains(said[i]),
                     qPrintable(s->desktop.messages[i].Text));
        }
        const bool folderOpened = present && folderViewer && answer == MessageAnswer::Ok;
        QCOMPARE(s->desktop.openedDocuments,
                 folderOpened ? QStringList{s->dir.path()} : QStringList{});
    }

    void helpKeyOpensTheTopics() {
        auto s = Start();
        QVERIFY(s);
        const QString document = s->dir.path() + "/SX-Topics.pdf";
        QVERIFY(QFile(document).open(QIODevice::WriteOnly));
        QTest::keyClick(&s->W(), Qt::Key_F1);
        QVERIFY(s->desktop.messages.empty());
        QCOMPARE(s->desktop.openedDocuments, QStringList{document});
    }

    void saveAsByItsKeys() {
        auto s = Start();
        QVERIFY(s);
        QTest::keyClick(&s->W(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s->desktop.fileRequests.size(), std::size_t{1});
        QCOMPARE(s->desktop.fileRequests[0].DialogMode, FileDialogRequest::Mode::Save);
    }

    // The offscreen screen is smaller than either window asks for.
    void analysisWindowOnTheScreenAndClosedByEscape_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("window");
        QTest::newRow("3-D check") << "mnuExactCheck"
                                   << "FrmExactCheck";
        QTest::newRow("sweep") << "mnuSweep"
                               << "FrmSweep";
    }

    void analysisWindowOnTheScreenAndClosedByEscape() {
        QFETCH(QString, action);
        QFETCH(QString, window);
        auto s = Start();
        QVERIFY(s);
        s->Action(action.toLatin1().constData())->trigger();
        auto* shown = Child<QWidget>(s->W(), window);
        QTRY_VERIFY(shown->isVisible());
        const QRect room = s->W().screen()->availableGeometry();
        QVERIFY2(room.contains(shown->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                       .arg(shown->x())
                                                                       .arg(shown->y())
                                                                       .arg(shown->width())
                                                                       .arg(shown->height())));
        QApplication::setActiveWindow(shown);
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTest::keyClick(shown, Qt::Key_Escape);
        QTRY_VERIFY(!shown->isVisible());
    }
};

QTEST_MAIN(TestWindowInput)
#include "test_window_input.moc"
