#include <QtTest>

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

#include <memory>

#include "mainwindow/main_window.h"
#include "mainwindow/view_boxes.h"
#include "support/material_folders.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

// What a new user meets: a program folder with the shipped materials, no prefs.txt yet, and
// the heat source and two layers.
struct Session {
    QTemporaryDir dir;
    AppState state;
    ScriptedDesktop desktop;
    MainWindow window{state, desktop};

    QLineEdit* Edit(const QString& name) const { return Child<QLineEdit>(window, name); }
    QRadioButton* Option(int i) const {
        return Child<QRadioButton>(window, QStringLiteral("OptLayer_%1").arg(i));
    }
    void Trigger(const char* action) const { Child<QAction>(window, action)->trigger(); }
};

std::unique_ptr<Session> Start() {
    auto s = std::make_unique<Session>();
    CopyStandardMaterials(s->dir.path() + "/Materials");
    if (!s->window.Start(s->dir.path()) || !ShownActive(s->window)) return nullptr;
    for (int i = 0; i < 2; ++i) Click(s->window, "CmdAddLayer");
    return s;
}

void Type(const Session& s, const QString& field, const QString& text) {
    QLineEdit* edit = s.Edit(field);
    edit->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    edit->insert(text);
    s.Edit("TextModelName")->setFocus(Qt::TabFocusReason);
}

float Stored(const Session& s, const QString& field) {
    const Model& m = s.state.model;
    const int current = s.window.Document().CurrentLayer();
    if (field == "TextThermOutput") return m.PowerDissipation;
    if (field == "TextIsotherm") return m.IsothermalTemp;
    if (field == "TextDevWidth") return m.Layers[current].Width;
    if (field == "TextDevLength") return m.Layers[current].Length;
    return m.Layers[current].Thickness;
}

void Select(const Session& s, const QString& field) {
    s.Option(field == "TextThermOutput" || field == "TextIsotherm" ? 0 : 1)->click();
}

enum class Picker { Button, Strip, Table };

}  // namespace

Q_DECLARE_METATYPE(Picker)
Q_DECLARE_METATYPE(MessageAnswer)

class TestWindowInput : public QObject {
    Q_OBJECT

private slots:
    // Text that is not wholly a number used to read as its leading number, or as 0. An empty
    // width or length counts as no limit only where the layer already has none.
    void fieldReadsOnlyAWholeNumber_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("noLimitBefore");
        QTest::addColumn<QString>("said");  // empty: accepted
        QTest::addColumn<float>("expected");
        const auto row = [](const QByteArray& name, const char* field, const char* typed,
                            float noLimitBefore, const QString& said, float expected) {
            QTest::newRow(name) << QString(field) << QString(typed) << noLimitBefore << said
                                << expected;
        };
        const QString comma = ": use a point as the decimal separator.";
        for (const char* field : {"TextThermOutput", "TextIsotherm", "TextDevWidth",
                                  "TextDevLength", "TextThickness"}) {
            const QByteArray name(field);
            row(name + " abc", field, "abc", 1.0f, "\u2018abc\u2019 is not a number.", 0.0f);
            row(name + " 12abc", field, "12abc", 1.0f, "\u201812abc\u2019 is not a number.", 0.0f);
            row(name + " 1,5", field, "1,5", 1.0f, "\u20181,5\u2019 is not a number" + comma, 0.0f);
        }
        row("power with its unit", "TextThermOutput", " 2.5 W", 1.0f, "", 2.5f);
        row("temperature with its unit", "TextIsotherm", " 2.5 \u00B0C", 1.0f, "", 2.5f);
        // A new user starts in inches.
        row("width with its unit", "TextDevWidth", " 2.5 in.", 1.0f, "", 2.5f);
        row("length unit unspaced", "TextDevLength", "2.5in ", 1.0f, "", 2.5f);
        row("thickness with its unit", "TextThickness", " 0.5 in.", 1.0f, "", 0.5f);
        row("millimetres while in inches", "TextDevWidth", " 2.5 mm", 1.0f,
            "\u20182.5 mm\u2019 is not a number.", 0.0f);
        row("emptied limit", "TextDevWidth", "", 1.0f, "Type 0 or (infinite)", 0.0f);
        row("emptied (infinite)", "TextDevLength", "", 0.0f, "", 0.0f);
    }

    void fieldReadsOnlyAWholeNumber() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(float, noLimitBefore);
        QFETCH(QString, said);
        QFETCH(float, expected);
        auto s = Start();
        QVERIFY(s);
        s->state.model.Layers[1].Width = s->state.model.Layers[1].Length = 12.0f * noLimitBefore;
        Select(*s, field);
        const float before = Stored(*s, field);
        Type(*s, field, typed);
        if (said.isEmpty()) {
            QVERIFY(s->desktop.messages.empty());
            QCOMPARE(Stored(*s, field), expected);
            return;
        }
        QTRY_COMPARE(s->desktop.messages.size(), std::size_t{1});
        const QStringList lines = s->desktop.messages[0].Text.split("\r\n");
        QVERIFY2(lines[0].contains(" must be between "), qPrintable(lines[0]));
        QVERIFY2(lines.mid(1).join(' ').contains(said), qPrintable(lines.join(' ')));
        QTRY_VERIFY(s->Edit(field)->hasFocus());
        QCOMPARE(s->Edit(field)->text(), typed);
        QCOMPARE(Stored(*s, field), before);
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
        s->Option(from)->click();
        s->Edit(focused)->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(s->Edit(focused)->hasFocus());
        if (picker == Picker::Button) {
            QTest::mouseClick(s->Option(to), Qt::LeftButton);
        } else {
            const char* view = picker == Picker::Strip ? "PicLayerSelect" : "PicDisplayData";
            emit Child<ViewBox>(s->window, view)->recordClicked(to);
        }
        QCOMPARE(s->window.Document().CurrentLayer(), to);
        QTRY_VERIFY(s->Edit(expected)->hasFocus());
        QVERIFY(s->Edit(expected)->selectedText().isEmpty());
    }

    void firstStartSaysNothingAndOpensInAFolderThatExists() {
        auto s = Start();
        QVERIFY(s);
        QVERIFY(s->desktop.messages.empty());
        s->window.Document().MarkSaved();
        s->Trigger("mnuOpen");
        QCOMPARE(s->desktop.fileRequests.size(), std::size_t{1});
        QCOMPARE(s->desktop.fileRequests.back().Folder, s->dir.path() + "/Models");
        QVERIFY(QFileInfo(s->dir.path() + "/Models").isDir());
        s->state.prefs.ModelsFolder = (s->dir.path() + "/gone/deeper").toStdString();
        s->Trigger("mnuOpen");
        QCOMPARE(s->desktop.fileRequests.back().Folder, s->dir.path());
        s->window.close();
        QVERIFY(s->desktop.messages.empty());
        QVERIFY(QFileInfo::exists(s->dir.path() + "/prefs.txt"));
    }

    void helpWithoutAViewerSaysWhere_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("folderViewer");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QStringList>("said");
        const QString where = "could not be opened:";
        QTest::newRow("folder opened") << true << true << MessageAnswer::Ok << QStringList{where};
        QTest::newRow("folder not wanted")
            << true << true << MessageAnswer::Cancel << QStringList{where};
        QTest::newRow("no viewer for folders either")
            << true << false << MessageAnswer::Ok
            << QStringList{where, "could not be opened either"};
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
        QTest::keyClick(&s->window, Qt::Key_F1);
        QCOMPARE(s->desktop.messages.size(), std::size_t(said.size()));
        QVERIFY(s->desktop.messages[0].Text.contains(document));
        for (int i = 0; i < said.size(); ++i) {
            QVERIFY(s->desktop.messages[i].Text.contains(said[i]));
        }
        const bool opened = present && folderViewer && answer == MessageAnswer::Ok;
        QCOMPARE(s->desktop.openedDocuments, opened ? QStringList{s->dir.path()} : QStringList{});
    }

    void keysOfTheMenus() {
        auto s = Start();
        QVERIFY(s);
        const QString document = s->dir.path() + "/SX-Topics.pdf";
        QVERIFY(QFile(document).open(QIODevice::WriteOnly));
        QTest::keyClick(&s->window, Qt::Key_F1);
        QCOMPARE(s->desktop.openedDocuments, QStringList{document});
        QTest::keyClick(&s->window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s->desktop.fileRequests.size(), std::size_t{1});
        QCOMPARE(s->desktop.fileRequests[0].DialogMode, FileDialogRequest::Mode::Save);
    }

    // The offscreen screen is smaller than either window asks for.
    void analysisWindowOnTheScreenAndClosedByEscape_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("window");
        QTest::newRow("3-D check") << QString("mnuExactCheck") << QString("FrmExactCheck");
        QTest::newRow("sweep") << QString("mnuSweep") << QString("FrmSweep");
    }

    void analysisWindowOnTheScreenAndClosedByEscape() {
        QFETCH(QString, action);
        QFETCH(QString, window);
        auto s = Start();
        QVERIFY(s);
        s->Trigger(action.toLatin1().constData());
        auto* shown = Child<QWidget>(s->window, window);
        QTRY_VERIFY(shown->isVisible());
        QVERIFY(s->window.screen()->availableGeometry().contains(shown->frameGeometry()));
        QApplication::setActiveWindow(shown);
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTest::keyClick(shown, Qt::Key_Escape);
        QTRY_VERIFY(!shown->isVisible());
    }
};

QTEST_MAIN(TestWindowInput)
#include "test_window_input.moc"
