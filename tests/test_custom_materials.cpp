#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <fstream>
#include <memory>

#include "core/material_codec.h"
#include "core/material_loader.h"
#include "dialogs/custom_materials_dialog.h"
#include "persistence/custom_materials_file.h"
#include "support/file_bytes.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"

using namespace strativex;

namespace {

const QString kProgram = QStringLiteral("Strativex");
const QByteArray kHeatHeader = "id,name,density_kg_m3,specific_heat_j_per_kg_k,source\n";
const QByteArray kSiliconRow = "1001,Si,2330,712,handbook\n";
const QString kLeaveANotPositive =
    QStringLiteral("Material property 'A' must be greater than zero");

QString CannotStore(const QString& what) {
    return "The material name holds " + what +
           ", which the custom materials file cannot store.\r\nPlease change the name.";
}

std::string Records(int count, int firstId = 1) {
    std::string content;
    for (int id = firstId; id < firstId + count; ++id) {
        content += std::to_string(id) + ",\"C" + std::to_string(id) + "\",2.5,-.5\r\n";
    }
    return content;
}

// A materials folder of its own, the state that points at it, a scripted desktop and the editor.
struct Bench {
    Bench() { state.materialPaths = MaterialPathsIn(dir.path().toStdString()); }

    void Write(const std::string& bytes) const {
        std::ofstream(state.materialPaths.Custom, std::ios::binary) << bytes;
    }
    std::string Custom() const { return FileText(state.materialPaths.Custom).value_or("-"); }
    QString HeatPath() const { return dir.path() + "/matheat.csv"; }
    QByteArray CustomBytes() const { return QByteArray::fromStdString(Custom()); }
    QStringList Said() const {
        QStringList texts;
        for (const MessageRecord& message : desktop.messages) texts << message.Text;
        return texts;
    }

    // Clicks on the list only land in an active window.
    bool Open(const std::optional<std::string>& content = {}) {
        if (content) Write(*content);
        dialog = std::make_unique<CustomMaterialsDialog>(state, desktop);
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }

    QListWidget* List() const { return ::Child<QListWidget>(*dialog, "ListCustMats"); }
    QLineEdit* Field(const QString& name) const { return ::Child<QLineEdit>(*dialog, name); }
    QString Text(const QString& name) const { return Field(name)->text(); }
    QAbstractButton* Button(const QString& name) const {
        return ::Child<QAbstractButton>(*dialog, name);
    }
    bool Enabled(const QString& name) const { return Button(name)->isEnabled(); }
    void Click(const QString& name) const { ::Click(*dialog, name); }
    void Answer(MessageAnswer answer, const QString& button) {
        desktop.answers = {answer};
        Click(button);
    }
    void ClickEntry(int row) const {
        const QRect place = List()->visualItemRect(List()->item(row));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, place.center());
    }
    // As if typed: the field keeps the focus.
    void Enter(const QString& field, const QString& text) const {
        Field(field)->setFocus();
        Field(field)->setText(text);
    }
    void Create(const QString& name, const QString& a, const QString& b = "0") const {
        Enter("txtMatName", name);
        Enter("txtMatProp_0", a);
        Enter("txtMatProp_1", b);
        Click("cmdCreateMat");
    }
    QStringList Entries() const {
        QStringList entries;
        for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
        return entries;
    }

    QTemporaryDir dir;
    AppState state;
    ScriptedDesktop desktop;
    std::unique_ptr<CustomMaterialsDialog> dialog;
};

}  // namespace

Q_DECLARE_METATYPE(MessageAnswer)

class TestCustomMaterials : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheFilesRecords_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("note");
        const QString kNew = QStringLiteral("(New Material)");
        QTest::newRow("no file") << QByteArray("-") << QStringList{kNew} << QString();
        QTest::newRow("two records, LF line ends and a trailing blank line")
            << QByteArray("4,\"Solder, 63/37\",.5,0\n9, \"Epoxy\" ,2E-03,1\n\n")
            << QStringList{kNew, "Solder, 63/37", "Epoxy"} << QString();
        QTest::newRow("an unreadable second record")
            << QByteArray("1,\"Good\",1,0\r\n2,\"Bad\",x,0\r\n3,\"After it\",1,0\r\n")
            << QStringList{kNew, "Good", "After it"}
            << "These lines hold no custom material the program can use and are not shown "
               "here:\nline 2: A 'x' is not a number\nThey stay in the file unchanged.";
        QTest::newRow("twenty-three records")
            << QByteArray::fromStdString(Records(23)) << QStringList{kNew, "C1"}
            << "Only the first 20 custom materials are shown here. The other 3 stay in the file "
               "unchanged.";
    }

    void opensWithTheFilesRecords() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, entries);
        QFETCH(QString, note);
        Bench b;
        QVERIFY(b.Open(content == "-" ? std::nullopt : std::optional(content.toStdString())));
        QCOMPARE(b.Entries().mid(0, entries.size()), entries);
        QCOMPARE(b.List()->currentRow(), 0);
        QCOMPARE(
            QStringList({b.Text("txtMatName"), b.Text("txtMatProp_0"), b.Text("txtMatProp_1")}),
            QStringList({"", "0", "0"}));
        QCOMPARE(b.Enabled("cmdCreateMat"), b.List()->count() < 21);
        QVERIFY(!b.Enabled("cmdDeleteMat") && !b.Enabled("cmdOK"));
        auto* label = Child<QLabel>(*b.dialog, "LabelKeptNote");
        QCOMPARE(label->isVisible(), !note.isEmpty());
        if (!note.isEmpty()) QCOMPARE(label->text(), note);
        QVERIFY(b.desktop.messages.empty());
    }

    // Passing through the fields without typing must not count as a change.
    void selectingShowsTheEntryUnchanged() {
        Bench b;
        QVERIFY(b.Open("7,\"Kovar\",.173,0\r\n8,\"Diamond\",1.5E+07,-1.25\r\n"));
        b.ClickEntry(2);
        QCOMPARE(
            QStringList({b.Text("txtMatName"), b.Text("txtMatProp_0"), b.Text("txtMatProp_1")}),
            QStringList({"Diamond", "1.5E+07", "-1.25"}));
        QVERIFY(!b.Enabled("cmdCreateMat") && b.Enabled("cmdDeleteMat"));
        b.ClickEntry(1);
        for (const char* name : {"txtMatName", "txtMatProp_0", "txtMatProp_1"}) {
            b.Field(name)->setFocus();
            QTRY_VERIFY(b.Field(name)->hasFocus());
        }
        b.ClickEntry(0);
        QVERIFY(!b.Enabled("cmdOK"));
        QVERIFY(b.desktop.messages.empty());
    }

    void createWritesNewRecord_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QList<int>>("standardIds");
        auto row = [](const char* tag, const char* content, const char* a, const char* b,
                      const char* record, QList<int> ids = {}) {
            QTest::newRow(tag) << QByteArray(content) << QString(a) << QString(b)
                               << QByteArray(record) << ids;
        };
        row("first material gets id 1", "", "3.95", "0", "1,\"New\",3.95,0\r\n");
        // A standard material with the same id would hide the new one from every lookup.
        row("ids of standard materials are passed over", "2,\"a\",1,0\r\n", "1", "0",
            "5,\"New\",1,0\r\n", {3, 1, 4});
    }

    void createWritesNewRecord() {
        QFETCH(QByteArray, content);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QByteArray, record);
        QFETCH(QList<int>, standardIds);
        Bench t;
        for (int id : standardIds) {
            t.state.materials.Materials[t.state.materials.FirstCustomIndex++] = {
                "Standard", static_cast<std::int16_t>(id), 1.0f, 0.0f};
        }
        QVERIFY(t.Open(content.toStdString()));
        t.Create("New", a, b);
        QCOMPARE(t.List()->currentRow(), t.List()->count() - 1);
        QCOMPARE(t.List()->currentItem()->text(), "New");
        QVERIFY(t.Enabled("cmdOK"));
        t.Answer(MessageAnswer::Ok, "cmdOK");
        QCOMPARE(t.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(t.Said(), QStringList{"All changes to custom materials will be saved."});
        QCOMPARE(t.desktop.messages[0].Title, "Exit Custom Materials Editor?");
        QCOMPARE(t.desktop.messages[0].Buttons, MessageButtons::OkCancel);
        QCOMPARE(t.CustomBytes(), content + record);
    }

    void deleteThenCreate_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char* name, int row, MessageAnswer answer,
                            const std::string& kept, int newId) {
            QTest::newRow(name) << row << answer
                                << QByteArray::fromStdString(kept + std::to_string(newId) +
                                                             ",\"New\",1,0\r\n");
        };
        row("largest id deleted: taken again", 3, MessageAnswer::Ok, Records(2), 3);
        row("smallest id deleted: not taken again", 1, MessageAnswer::Ok, Records(2, 2), 4);
        row("delete cancelled", 2, MessageAnswer::Cancel, Records(3), 4);
    }

    void deleteThenCreate() {
        QFETCH(int, row);
        QFETCH(MessageAnswer, answer);
        QFETCH(QByteArray, written);
        Bench b;
        QVERIFY(b.Open(Records(3)));
        b.ClickEntry(row);
        b.Answer(answer, "cmdDeleteMat");
        QCOMPARE(b.desktop.messages[0].Text,
                 "Deleting this custom material will affect any models which\r\n use this "
                 "material.  Delete this material anyway?");
        QCOMPARE(b.desktop.messages[0].Title,
                 QStringLiteral("Delete Custom Material 'C%1'?").arg(row));
        QCOMPARE(b.Enabled("cmdOK"), answer == MessageAnswer::Ok);
        b.ClickEntry(0);
        b.Create("New", "1");
        b.Answer(MessageAnswer::Ok, "cmdOK");
        QCOMPARE(b.CustomBytes(), written);
    }

    // At most twenty are edited; the records after them go back as they were, after the edited
    // ones, and a new material takes none of their ids.
    void twentyAtMostAndTheRestKept() {
        Bench b;
        const std::string kept = "40,\"Kept\",2.50,0\n21, \"Also kept\" ,1,0\r\n";
        QVERIFY(b.Open(Records(20) + kept));
        b.ClickEntry(1);
        b.Answer(MessageAnswer::Ok, "cmdDeleteMat");
        QCOMPARE(b.List()->currentRow(), 0);
        QVERIFY(b.Enabled("cmdCreateMat"));
        b.Create("New", "1");
        QVERIFY(!b.Enabled("cmdCreateMat"));
        b.ClickEntry(0);
        QVERIFY(!b.Enabled("cmdCreateMat"));
        b.Answer(MessageAnswer::Ok, "cmdOK");
        const std::string written = b.Custom();
        QCOMPARE(written, Records(19, 2) + "41,\"New\",1,0\r\n" + kept);
        int key = 0;
        std::string standard = EncodeMaterialLine({"header", "", "", ""}, key) + "\r\n";
        standard += EncodeMaterialLine({"500", "Standard", "1", "0"}, key) + "\r\n";
        MaterialTable table;
        LoadMaterialTexts(table, b.state.materialPaths, standard, written, std::nullopt);
        QCOMPARE(int(table.CustomCount), 22);
    }

    // The name field still holds what was typed when the editor closes; it is not checked.
    void cancelLeavesTheFileAlone_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("name");
        QTest::newRow("Cancel button after a rename") << QString("button") << QString("Renamed");
        QTest::newRow("Cancel button with an emptied name") << QString("button") << QString();
        QTest::newRow("Escape key with an emptied name") << QString("escape") << QString();
        QTest::newRow("title bar with an emptied name") << QString("close") << QString();
    }

    void cancelLeavesTheFileAlone() {
        QFETCH(QString, how);
        QFETCH(QString, name);
        Bench b;
        const std::string content = "2,\"Alpha\",1.000,0\r\n5,\"Beta\",3,1\n";
        QVERIFY(b.Open(content));
        b.ClickEntry(1);
        b.Answer(MessageAnswer::Ok, "cmdDeleteMat");
        b.ClickEntry(1);
        b.Enter("txtMatName", name);
        const size_t before = b.desktop.messages.size();
        if (how == "escape") {
            QTest::keyClick(b.dialog.get(), Qt::Key_Escape);
        } else if (how == "close") {
            b.dialog->close();
        } else {
            b.Click("CmdCancel");
        }
        QCOMPARE(b.dialog->result(), int(QDialog::Rejected));
        QVERIFY(!b.dialog->isVisible());
        QCOMPARE(b.desktop.messages.size(), before);
        QCOMPARE(b.Custom(), content);
    }

    // A failed save keeps the editor open with the change, and a retry once the cause is gone
    // saves it.
    void failedSaveKeepsEditorOpen() {
        Bench b;
        const QString folder = b.dir.filePath("gone");
        b.state.materialPaths = MaterialPathsIn(folder.toStdString());
        QVERIFY(b.Open());
        b.Create("New", "1");
        b.desktop.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
        b.Click("cmdOK");
        QCOMPARE(b.desktop.messages.size(), size_t(2));
        const MessageRecord& failure = b.desktop.messages[1];
        QCOMPARE(failure.Title, "Error Saving Materials File");
        QCOMPARE(failure.Icon, MessageIcon::Exclamation);
        QVERIFY2(failure.Text.startsWith("Unable to save custom materials data file\r\n'" +
                                         QString::fromStdString(b.state.materialPaths.Custom) +
                                         "'\r\nError opening file for output"),
                 qPrintable(failure.Text));
        QVERIFY(failure.Text.endsWith("\r\nCustom materials not saved; the file is as it was."));
        QVERIFY(b.dialog->isVisible() && b.Enabled("cmdOK"));
        QVERIFY(QDir().mkpath(folder));
        b.Answer(MessageAnswer::Ok, "cmdOK");
        QCOMPARE(b.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(b.Custom(), "1,\"New\",1,0\r\n");
    }

    void createRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        auto row = [](const char* tag, const QString& name, const char* a, const char* b,
                      const QString& text, const QString& title = kProgram) {
            QTest::newRow(tag) << name << QString(a) << QString(b) << title << text;
        };
        const QString notPositive = kLeaveANotPositive + ".";
        const QString largest = QStringLiteral("3.402823E+38");
        const QString notStored = QStringLiteral("Character Not Supported");
        row("no name", "", "1", "0", "New material must have a name.");
        row("A negative", "M", "-2", "0", notPositive);
        row("A with text after it", "M", "2.5 W/cm", "0",
            "Material property 'A' must be a number.\r\n\u20182.5 W/cm\u2019 is not a number.");
        row("B with a decimal comma", "M", "1", "0,5",
            "Material property 'B' must be a number.\r\n\u20180,5\u2019 is not a number: use a "
            "point as the decimal separator.");
        row("A too small for a float", "M", "1e-50", "0", notPositive);
        row("A too large", "M", "1e39", "0",
            "Material property 'A' must not be greater than " + largest + ".");
        row("B too large", "M", "1", "-1e39",
            "Material property 'B' must lie between -" + largest + " and " + largest + ".");
        row("double quote", "12\" wafer", "1", "0", CannotStore("a double quote (\")"), notStored);
        row("line break", "two\nlines", "1", "0", CannotStore("a line break"), notStored);
        row("no Windows-1252 code", "Si\u2083N\u2084", "1", "0",
            CannotStore("the character \"\u2083\""), notStored);
    }

    void createRefusals() {
        QFETCH(QString, name);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Bench t;
        QVERIFY(t.Open());
        t.Create(name, a, b);
        QCOMPARE(t.Said(), QStringList{text});
        QCOMPARE(t.desktop.messages[0].Title, title);
        QCOMPARE(t.desktop.messages[0].Buttons, MessageButtons::Ok);
        QCOMPARE(t.List()->count(), 1);
        QVERIFY(!t.Enabled("cmdOK"));
    }

    // A refused value keeps the focus and holds off the list and the commands. An emptied name
    // or an A of 0 is taken into the entry all the same; a name the file cannot hold is not.
    void leavingRefusedField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("listed");
        const auto row = [](const char* name, const char* field, const char* typed,
                            const QString& text, const char* listed) {
            QTest::newRow(name) << QString(field) << QString(typed) << text << QString(listed);
        };
        const QString blank =
            "is not a number greater than zero.\r\nLeave it blank for a "
            "material without heat capacity.";
        row("emptied name", "txtMatName", "", "Material must have a name.", "");
        row("quoted name", "txtMatName", "a\"b", CannotStore("a double quote (\")"), "Alpha");
        row("A of zero", "txtMatProp_0", "0", kLeaveANotPositive, "Alpha");
        row("negative density", "txtMatDensity", "-1", "The density '-1' " + blank, "Alpha");
        row("specific heat not a number", "txtMatSpecificHeat", "8OO",
            "The specific heat '8OO' " + blank, "Alpha");
    }

    void leavingRefusedField() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, listed);
        Bench b;
        QVERIFY(b.Open("1,\"Alpha\",2,0\r\n2,\"Beta\",3,0\r\n"));
        b.ClickEntry(1);
        b.Enter(field, typed);
        QTRY_VERIFY(b.Field(field)->hasFocus());
        b.ClickEntry(2);
        QCOMPARE(b.Said(), QStringList{text});
        QTRY_VERIFY(b.Field(field)->hasFocus());
        QCOMPARE(b.List()->currentRow(), 1);
        QCOMPARE(b.List()->item(1)->text(), listed);
        QCOMPARE(b.Text(field), typed);
        b.Click("cmdDeleteMat");
        QTRY_VERIFY(b.Field(field)->hasFocus());
        QCOMPARE(b.Said(), QStringList({text, text}));
        QVERIFY(b.dialog->isVisible());
        b.Enter(field, field == "txtMatName" ? "Gamma" : "4");
        b.ClickEntry(2);
        QCOMPARE(b.List()->currentRow(), 2);
        QCOMPARE(b.Said().size(), 2);
        QVERIFY(b.Enabled("cmdOK"));
    }

    // Cancel does not check the field it takes the focus from; moving on from Cancel does.
    void cancelPutsOffTheCheck() {
        Bench b;
        QVERIFY(b.Open("1,\"Alpha\",2,0\r\n"));
        b.ClickEntry(1);
        b.Enter("txtMatProp_0", "-1");
        b.Button("CmdCancel")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(b.Button("CmdCancel")->hasFocus());
        QVERIFY(b.desktop.messages.empty());
        b.Field("txtMatName")->setFocus(Qt::TabFocusReason);
        QCOMPARE(b.Said(), QStringList{kLeaveANotPositive});
        QTRY_VERIFY(b.Field("txtMatProp_0")->hasFocus());
    }

    // A new material's heat capacity goes to matheat.csv; a folder without one starts from the
    // shipped file, so that the standard materials keep theirs.
    void createsAMaterialWithItsHeatCapacity() {
        Bench b;
        QTemporaryDir shipped;
        QDir().mkpath(shipped.path() + "/Materials");
        QVERIFY(WriteBytes(shipped.path() + "/Materials/matheat.csv", kHeatHeader + kSiliconRow));
        b.state.folders.HelpFolder = shipped.path().toStdString();
        QVERIFY(b.Open());
        b.Enter("txtMatDensity", "1500.5");
        b.Enter("txtMatSpecificHeat", "800");
        b.Create("Gr\u00E4fit mine", "2");
        b.Answer(MessageAnswer::Ok, "cmdOK");
        QVERIFY(!b.dialog->isVisible());
        const QByteArray written = ReadBytes(b.HeatPath());
        QVERIFY2(written.startsWith(kHeatHeader + kSiliconRow), written.constData());
        QVERIFY2(written.endsWith(",Gr\xC3\xA4"
                                  "fit mine,1500.5,800,custom\n"),
                 written.constData());
        QVERIFY(b.Custom().find("\"Gr\xE4"
                                "fit mine\",2,0") != std::string::npos);
    }

    // Changing one material's heat capacity rewrites its row alone: every other line, a
    // broken one included, and matcust.dat stay byte for byte.
    void editsOneRowAndKeepsTheRest() {
        Bench b;
        const QByteArray custom = "1,\"Alpha\",2,0\r\n2,\"Beta\",3,0\r\n";
        const QByteArray others = kSiliconRow + "broken,line\n2,Beta,900,450,lab sheet\n";
        QVERIFY(WriteBytes(b.HeatPath(), kHeatHeader + "1,Alpha,1000,500,mine\n" + others));
        QVERIFY(b.Open(custom.toStdString()));
        b.ClickEntry(1);
        QCOMPARE(b.Text("txtMatDensity"), QString("1000"));
        QCOMPARE(b.Text("txtMatSpecificHeat"), QString("500"));
        b.ClickEntry(2);
        QCOMPARE(b.Text("txtMatDensity"), QString("900"));
        b.ClickEntry(1);
        b.Enter("txtMatDensity", "1250");
        b.ClickEntry(0);
        QCOMPARE(b.Text("txtMatDensity"), QString());
        b.Answer(MessageAnswer::Ok, "cmdOK");
        QVERIFY(!b.dialog->isVisible());
        QCOMPARE(ReadBytes(b.HeatPath()), kHeatHeader + "1,Alpha,1250,500,mine\n" + others);
        QCOMPARE(b.CustomBytes(), custom);
    }

    // Blanking both values or deleting the material removes its row.
    void blankOrDeletedMaterialLosesItsRow() {
        Bench b;
        QVERIFY(WriteBytes(b.HeatPath(), kHeatHeader + "1,Alpha,1000,500,s\n2,Beta,900,450,s\n"));
        QVERIFY(b.Open("1,\"Alpha\",2,0\r\n2,\"Beta\",3,0\r\n"));
        b.ClickEntry(1);
        b.Enter("txtMatDensity", "");
        b.Enter("txtMatSpecificHeat", " ");
        b.ClickEntry(2);
        b.Answer(MessageAnswer::Ok, "cmdDeleteMat");
        b.Answer(MessageAnswer::Ok, "cmdOK");
        QVERIFY(!b.dialog->isVisible());
        QCOMPARE(ReadBytes(b.HeatPath()), kHeatHeader);
    }

    void refusesHalfAHeatCapacity() {
        Bench b;
        QVERIFY(b.Open("1,\"Alpha\",2,0\r\n"));
        b.ClickEntry(1);
        b.Enter("txtMatDensity", "1000");
        b.ClickEntry(0);
        b.Click("cmdOK");
        QCOMPARE(b.Said(), QStringList{"Give the custom material 'Alpha' both a density and a "
                                       "specific heat, or neither."});
        QVERIFY(b.dialog->isVisible());
        QVERIFY(!QFileInfo::exists(b.HeatPath()));
    }

    // A heat capacity file that is there but cannot be read is never written over, and then
    // nothing is saved.
    void unreadableHeatFileSavesNothing() {
        Bench b;
        QVERIFY(QDir().mkpath(b.HeatPath()));
        const std::string custom = "1,\"Alpha\",2,0\r\n";
        QVERIFY(b.Open(custom));
        b.ClickEntry(1);
        b.Enter("txtMatSpecificHeat", "500");
        b.Enter("txtMatDensity", "1000");
        b.ClickEntry(0);
        b.Answer(MessageAnswer::Ok, "cmdOK");
        QCOMPARE(b.Said().size(), 2);
        QVERIFY2(b.Said()[1].contains("(is a directory)"), qPrintable(b.Said()[1]));
        QVERIFY(b.dialog->isVisible());
        QCOMPARE(b.Custom(), custom);
        QVERIFY(QFileInfo(b.HeatPath()).isDir());
    }
};

QTEST_MAIN(TestCustomMaterials)
#include "test_custom_materials.moc"
