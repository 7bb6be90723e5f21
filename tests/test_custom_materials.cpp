#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include <fstream>

#include "core/material_codec.h"
#include "core/material_loader.h"
#include "core/text_file.h"
#include "dialogs/custom_materials_dialog.h"
#include "persistence/custom_materials_file.h"
#include "scripted_desktop.h"

using namespace strativex;

namespace {

const QString kProgram = QStringLiteral("Strativex");
const QString kNameMissing = QStringLiteral("Material must have a name.");
const QString kNewNameMissing = QStringLiteral("New material must have a name.");
const QString kCreateANotPositive =
    QStringLiteral("Material property 'A' must be greater than zero.");
const QString kLeaveANotPositive =
    QStringLiteral("Material property 'A' must be greater than zero");

std::string Records(int count, int firstId = 1) {
    std::string content;
    for (int i = 0; i < count; ++i) {
        content +=
            std::to_string(firstId + i) + ",\"C" + std::to_string(firstId + i) + "\",2.5,-.5\r\n";
    }
    return content;
}

// A materials folder of its own, the state that points at it and a scripted desktop.
struct Fixture {
    Fixture() { state.materialPaths = MaterialPathsIn(dir.path().toStdString()); }

    void WriteCustom(const std::string& bytes) const {
        std::ofstream(state.materialPaths.Custom, std::ios::binary) << bytes;
    }
    std::string Custom() const { return ReadWholeFile(state.materialPaths.Custom).value_or("-"); }

    QTemporaryDir dir;
    AppState state;
    ScriptedDesktop desktop;
};

struct Editor {
    explicit Editor(Fixture& f) : dialog(f.state, f.desktop) {
        dialog.show();
        dialog.activateWindow();
    }

    template <typename Control>
    Control* Child(const QString& name) const {
        auto* control = dialog.findChild<Control*>(name);
        if (control == nullptr) qWarning("no control named %s", qPrintable(name));
        return control;
    }
    QListWidget* List() const { return Child<QListWidget>(QStringLiteral("ListCustMats")); }
    QLineEdit* Field(const QString& name) const { return Child<QLineEdit>(name); }
    QAbstractButton* Button(const QString& name) const { return Child<QAbstractButton>(name); }
    QString Text(const QString& name) const { return Field(name)->text(); }

    void Click(const QString& name) const { QTest::mouseClick(Button(name), Qt::LeftButton); }
    void ClickEntry(int row) const {
        const QRect place = List()->visualItemRect(List()->item(row));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, place.center());
    }
    // Puts the text into the field as if typed there; the field keeps the focus.
    void Enter(const QString& field, const QString& text) const {
        Field(field)->setFocus();
        Field(field)->setText(text);
    }
    QStringList Entries() const {
        QStringList entries;
        for (int i = 0; i < List()->count(); ++i) entries << List()->item(i)->text();
        return entries;
    }

    frmCustomMatsDialog dialog;
};

}  // namespace

Q_DECLARE_METATYPE(SafeWriteFault)
Q_DECLARE_METATYPE(MessageAnswer)

class TestCustomMaterials : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheFilesRecords_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("note");
        QTest::newRow("no file") << QByteArray("-") << QStringList{"(New Material)"} << QString();
        QTest::newRow("two records, LF line ends and a trailing blank line")
            << QByteArray("4,\"Solder, 63/37\",.5,0\n9, \"Epoxy\" ,2E-03,1\n\n")
            << QStringList{"(New Material)", "Solder, 63/37", "Epoxy"} << QString();
        QTest::newRow("an unreadable second record")
            << QByteArray("1,\"Good\",1,0\r\n2,\"Bad\",x,0\r\n3,\"Hidden\",1,0\r\n")
            << QStringList{"(New Material)", "Good"}
            << "The end of the custom materials file could not be read. It stays in the file "
               "unchanged.";
        QTest::newRow("twenty-three records")
            << QByteArray::fromStdString(Records(23)) << QStringList{"(New Material)", "C1"}
            << "Only the first 20 custom materials are shown "
               "here. The other 3 stay in the file unchanged.";
    }

    void opensWithTheFilesRecords() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, entries);
        QFETCH(QString, note);
        Fixture f;
        if (content != "-") f.WriteCustom(content.toStdString());
        Editor e(f);
        QCOMPARE(e.Entries().mid(0, entries.size()), entries);
        const bool full = e.List()->count() == 21;
        QCOMPARE(e.List()->currentRow(), 0);
        QCOMPARE(e.Text("txtMatName"), QString());
        QCOMPARE(e.Text("txtMatProp_0"), "0");
        QCOMPARE(e.Text("txtMatProp_1"), "0");
        QCOMPARE(e.Button("cmdCreateMat")->isEnabled(), !full);
        QVERIFY(!e.Button("cmdDeleteMat")->isEnabled());
        QVERIFY(!e.Button("cmdOK")->isEnabled());
        auto* label = e.Child<QLabel>("LabelKeptNote");
        QCOMPARE(label->isVisible(), !note.isEmpty());
        if (!note.isEmpty()) QCOMPARE(label->text(), note);
        QVERIFY(f.desktop.messages.empty());
    }

    void selectingShowsTheEntry() {
        Fixture f;
        f.WriteCustom("7,\"Kovar\",.173,0\r\n8,\"Diamond\",1.5E+07,-1.25\r\n");
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.ClickEntry(2);
        QCOMPARE(e.Text("txtMatName"), "Diamond");
        QCOMPARE(e.Text("txtMatProp_0"), "1.5E+07");
        QCOMPARE(e.Text("txtMatProp_1"), "-1.25");
        QVERIFY(!e.Button("cmdCreateMat")->isEnabled());
        QVERIFY(e.Button("cmdDeleteMat")->isEnabled());
        QVERIFY(!e.Button("cmdOK")->isEnabled());
    }

    // Creation followed by "Accept Changes" writes the file byte for byte.
    void createWritesNewRecord_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QList<int>>("standardIds");
        QTest::newRow("first material gets id 1")
            << QByteArray() << "3.95"
            << "0" << QByteArray("1,\"New\",3.95,0\r\n") << QList<int>{};
        QTest::newRow("one above the largest id, not the last")
            << QByteArray("3,\"a\",1,0\r\n7,\"b\",1,0\r\n5,\"c\",1,0\r\n") << "0.5"
            << "-1.25" << QByteArray("8,\"New\",.5,-1.25\r\n") << QList<int>{};
        QTest::newRow("negative ids count as 0")
            << QByteArray("-4,\"a\",1,0\r\n") << "2"
            << "1" << QByteArray("1,\"New\",2,1\r\n") << QList<int>{};
        QTest::newRow("trailing text ignored, letters read as 0")
            << QByteArray() << "2.5 W/cm"
            << "none" << QByteArray("1,\"New\",2.5,0\r\n") << QList<int>{};
        QTest::newRow("tiny and huge values in exponent form")
            << QByteArray() << "1e-9"
            << "3e38" << QByteArray("1,\"New\",1E-09,3E+38\r\n") << QList<int>{};
        // A standard material with the same id would hide the new one from every lookup.
        QTest::newRow("ids of standard materials are passed over")
            << QByteArray("2,\"a\",1,0\r\n") << "1"
            << "0" << QByteArray("5,\"New\",1,0\r\n") << QList<int>{3, 1, 4};
    }

    void createWritesNewRecord() {
        QFETCH(QByteArray, content);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QByteArray, record);
        QFETCH(QList<int>, standardIds);
        Fixture f;
        for (int id : standardIds) {
            f.state.materials.Materials[f.state.materials.FirstCustomIndex++] = {
                "Standard", static_cast<std::int16_t>(id), 1.0f, 0.0f};
        }
        f.WriteCustom(content.toStdString());
        Editor e(f);
        e.Enter("txtMatName", "New");
        e.Enter("txtMatProp_0", a);
        e.Enter("txtMatProp_1", b);
        e.Click("cmdCreateMat");
        QCOMPARE(e.List()->currentRow(), e.List()->count() - 1);
        QCOMPARE(e.List()->currentItem()->text(), "New");
        QVERIFY(e.Button("cmdOK")->isEnabled());
        f.desktop.answers = {MessageAnswer::Ok};
        e.Click("cmdOK");
        QCOMPARE(e.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.desktop.messages.size(), size_t(1));
        QCOMPARE(f.desktop.messages[0].Text, "All changes to custom materials will be saved.");
        QCOMPARE(f.desktop.messages[0].Title, "Exit Custom Materials Editor?");
        QCOMPARE(f.desktop.messages[0].Buttons, MessageButtons::OkCancel);
        QCOMPARE(QByteArray::fromStdString(f.Custom()), content + record);
    }

    void deleteThenCreate_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("largest id deleted: taken again")
            << 3 << MessageAnswer::Ok
            << QByteArray("1,\"C1\",2.5,-.5\r\n2,\"C2\",2.5,-.5\r\n3,\"New\",1,0\r\n");
        QTest::newRow("smallest id deleted: not taken again")
            << 1 << MessageAnswer::Ok
            << QByteArray("2,\"C2\",2.5,-.5\r\n3,\"C3\",2.5,-.5\r\n4,\"New\",1,0\r\n");
        QTest::newRow("delete cancelled")
            << 2 << MessageAnswer::Cancel
            << QByteArray::fromStdString(Records(3) + "4,\"New\",1,0\r\n");
    }

    void deleteThenCreate() {
        QFETCH(int, row);
        QFETCH(MessageAnswer, answer);
        QFETCH(QByteArray, written);
        Fixture f;
        f.WriteCustom(Records(3));
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.ClickEntry(row);
        f.desktop.answers = {answer};
        e.Click("cmdDeleteMat");
        QCOMPARE(f.desktop.messages[0].Text,
                 "Deleting this custom material will affect any models which\r\n use this "
                 "material.  Delete this material anyway?");
        QCOMPARE(f.desktop.messages[0].Title,
                 QStringLiteral("Delete Custom Material 'C%1'?").arg(row));
        QCOMPARE(e.Button("cmdOK")->isEnabled(), answer == MessageAnswer::Ok);
        e.ClickEntry(0);
        e.Enter("txtMatName", "New");
        e.Enter("txtMatProp_0", "1");
        e.Click("cmdCreateMat");
        f.desktop.answers = {MessageAnswer::Ok};
        e.Click("cmdOK");
        QCOMPARE(QByteArray::fromStdString(f.Custom()), written);
    }

    void twentyMaterialsAtMost() {
        Fixture f;
        f.WriteCustom(Records(19));
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.Enter("txtMatName", "Twentieth");
        e.Enter("txtMatProp_0", "1");
        e.Click("cmdCreateMat");
        QVERIFY(!e.Button("cmdCreateMat")->isEnabled());
        e.ClickEntry(0);
        QVERIFY(!e.Button("cmdCreateMat")->isEnabled());
        e.ClickEntry(5);
        f.desktop.answers = {MessageAnswer::Ok};
        e.Click("cmdDeleteMat");
        QCOMPARE(e.List()->currentRow(), 0);
        QVERIFY(e.Button("cmdCreateMat")->isEnabled());
    }

    // The records after the twentieth go back as they were, after the edited ones, and a new
    // material takes none of their ids.
    void recordsAfterTheTwentiethAreKept() {
        Fixture f;
        const std::string kept = "40,\"Kept\",2.50,0\n21, \"Also kept\" ,1,0\r\n";
        f.WriteCustom(Records(20) + kept);
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.ClickEntry(1);
        f.desktop.answers = {MessageAnswer::Ok};
        e.Click("cmdDeleteMat");
        e.Enter("txtMatName", "New");
        e.Enter("txtMatProp_0", "1");
        e.Click("cmdCreateMat");
        f.desktop.answers = {MessageAnswer::Ok};
        e.Click("cmdOK");
        const std::string written = f.Custom();
        QCOMPARE(written, Records(19, 2) + "41,\"New\",1,0\r\n" + kept);
        int key = 0;
        const std::string standard = EncodeMaterialLine({"header", "", "", ""}, key) + "\r\n";
        MaterialTable table;
        LoadMaterialTexts(table, f.state.materialPaths, standard, written, std::nullopt);
        QCOMPARE(int(table.CustomCount), 22);
    }

    // The name field still holds what was typed when the editor closes; it is not checked.
    void cancelLeavesTheFileAlone_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("name");
        QTest::newRow("Cancel button after a rename") << "button"
                                                      << "Renamed";
        QTest::newRow("Cancel button with an emptied name") << "button"
                                                            << "";
        QTest::newRow("Escape key with an emptied name") << "escape"
                                                         << "";
        QTest::newRow("title bar with an emptied name") << "close"
                                                        << "";
    }

    void cancelLeavesTheFileAlone() {
        QFETCH(QString, how);
        QFETCH(QString, name);
        Fixture f;
        const std::string content = "2,\"Alpha\",1.000,0\r\n5,\"Beta\",3,1\n";
        f.WriteCustom(content);
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.ClickEntry(1);
        f.desktop.answers = {MessageAnswer::Ok};
        e.Click("cmdDeleteMat");
        e.ClickEntry(1);
        e.Enter("txtMatName", name);
        const size_t before = f.desktop.messages.size();
        if (how == "escape") {
            QTest::keyClick(&e.dialog, Qt::Key_Escape);
        } else if (how == "close") {
            e.dialog.close();
        } else {
            e.Click("CmdCancel");
        }
        QCOMPARE(e.dialog.result(), int(QDialog::Rejected));
        QVERIFY(!e.dialog.isVisible());
        QCOMPARE(f.desktop.messages.size(), before);
        QCOMPARE(f.Custom(), content);
    }

    void failedSaveKeepsEditorOpen_data() {
        QTest::addColumn<SafeWriteFault>("fault");
        QTest::addColumn<bool>("folderGone");
        QTest::addColumn<QString>("step");
        QTest::newRow("disk full")
            << SafeWriteFault{std::size_t{5}, {}} << false << "Error writing file for output";
        QTest::newRow("rename fails") << SafeWriteFault{{}, SafeWriteStep::Rename} << false
                                      << "Error writing file for output";
        QTest::newRow("folder removed")
            << SafeWriteFault{} << true << "Error opening file for output";
    }

    void failedSaveKeepsEditorOpen() {
        QFETCH(SafeWriteFault, fault);
        QFETCH(bool, folderGone);
        QFETCH(QString, step);
        Fixture f;
        const std::string content = Records(2);
        f.WriteCustom(content);
        if (folderGone) f.state.materialPaths = MaterialPathsIn(f.dir.path().toStdString() + "/x");
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.dialog.SetWriteFault(fault);
        e.Enter("txtMatName", "New");
        e.Enter("txtMatProp_0", "1");
        e.Click("cmdCreateMat");
        f.desktop.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
        e.Click("cmdOK");
        QCOMPARE(f.desktop.messages.size(), size_t(2));
        const MessageRecord& failure = f.desktop.messages[1];
        QCOMPARE(failure.Title, "Error Saving Materials File");
        QCOMPARE(failure.Icon, MessageIcon::Exclamation);
        QVERIFY2(failure.Text.startsWith("Unable to save custom materials data file\r\n'" +
                                         QString::fromStdString(f.state.materialPaths.Custom) +
                                         "'\r\n" + step),
                 qPrintable(failure.Text));
        QVERIFY(failure.Text.endsWith("\r\nCustom materials not saved; the file is as it was."));
        QVERIFY(e.dialog.isVisible());
        QCOMPARE(e.Entries().last(), "New");
        QVERIFY(e.Button("cmdOK")->isEnabled());
        QCOMPARE(ReadWholeFile(MaterialPathsIn(f.dir.path().toStdString()).Custom), content);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), {"matcust.dat"});
        if (folderGone) return;
        e.dialog.SetWriteFault({});
        f.desktop.answers = {MessageAnswer::Ok};
        e.Click("cmdOK");
        QCOMPARE(e.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.Custom(), content + "3,\"New\",1,0\r\n");
    }

    void createRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString largest = QStringLiteral("3.402823E+38");
        QTest::newRow("no name") << ""
                                 << "1"
                                 << "0" << kProgram << kNewNameMissing;
        QTest::newRow("A only letters") << "M"
                                        << "abc"
                                        << "0" << kProgram << kCreateANotPositive;
        QTest::newRow("A negative") << "M"
                                    << "-2"
                                    << "0" << kProgram << kCreateANotPositive;
        QTest::newRow("A too small for a float") << "M"
                                                 << "1e-50"
                                                 << "0" << kProgram << kCreateANotPositive;
        QTest::newRow("A too large")
            << "M"
            << "1e39"
            << "0" << kProgram << "Material property 'A' must not be greater than " + largest + ".";
        QTest::newRow("B too large")
            << "M"
            << "1"
            << "-1e39" << kProgram
            << "Material property 'B' must lie between -" + largest + " and " + largest + ".";
        QTest::newRow("double quote")
            << "12\" wafer"
            << "1"
            << "0"
            << "Character Not Supported"
            << "The material name holds a double quote (\"), which the custom materials file "
               "cannot store.\r\nPlease change the name.";
        QTest::newRow("line break")
            << "two\nlines"
            << "1"
            << "0"
            << "Character Not Supported"
            << "The material name holds a line break, which the custom materials file cannot "
               "store.\r\nPlease change the name.";
        QTest::newRow("no Windows-1252 code")
            << "Si\u2083N\u2084"
            << "1"
            << "0"
            << "Character Not Supported"
            << "The material name holds the character \"\u2083\", which the custom materials "
               "file cannot store.\r\nPlease change the name.";
    }

    void createRefusals() {
        QFETCH(QString, name);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Fixture f;
        Editor e(f);
        e.Enter("txtMatName", name);
        e.Enter("txtMatProp_0", a);
        e.Enter("txtMatProp_1", b);
        e.Click("cmdCreateMat");
        QCOMPARE(f.desktop.messages.size(), size_t(1));
        QCOMPARE(f.desktop.messages[0].Title, title);
        QCOMPARE(f.desktop.messages[0].Text, text);
        QCOMPARE(f.desktop.messages[0].Buttons, MessageButtons::Ok);
        QCOMPARE(e.List()->count(), 1);
        QVERIFY(!e.Button("cmdOK")->isEnabled());
    }

    // A refused value keeps the focus and holds off the list and the commands. An emptied name
    // or an A of 0 is taken into the entry all the same; a name the file cannot hold is not.
    void leavingRefusedField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("listed");
        QTest::newRow("emptied name") << "txtMatName"
                                      << "" << kNameMissing << "";
        QTest::newRow("quoted name") << "txtMatName"
                                     << "a\"b"
                                     << "The material name holds a double quote (\"), which the "
                                        "custom materials file cannot store.\r\nPlease change "
                                        "the name."
                                     << "Alpha";
        QTest::newRow("A of zero") << "txtMatProp_0"
                                   << "0" << kLeaveANotPositive << "Alpha";
    }

    void leavingRefusedField() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, listed);
        Fixture f;
        f.WriteCustom("1,\"Alpha\",2,0\r\n2,\"Beta\",3,0\r\n");
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.ClickEntry(1);
        e.Enter(field, typed);
        QTRY_VERIFY(e.Field(field)->hasFocus());
        e.ClickEntry(2);
        QCOMPARE(f.desktop.messages.size(), size_t(1));
        QCOMPARE(f.desktop.messages[0].Text, text);
        QTRY_VERIFY(e.Field(field)->hasFocus());
        QCOMPARE(e.List()->currentRow(), 1);
        QCOMPARE(e.List()->item(1)->text(), listed);
        QCOMPARE(e.Text(field), typed);
        e.Click("cmdDeleteMat");
        QTRY_VERIFY(e.Field(field)->hasFocus());
        QCOMPARE(f.desktop.messages.size(), size_t(2));
        QCOMPARE(f.desktop.messages[1].Text, text);
        QVERIFY(e.dialog.isVisible());
        e.Enter(field, field == "txtMatName" ? "Gamma" : "4");
        e.ClickEntry(2);
        QCOMPARE(e.List()->currentRow(), 2);
        QCOMPARE(f.desktop.messages.size(), size_t(2));
        QVERIFY(e.Button("cmdOK")->isEnabled());
    }

    // Cancel does not check the field it takes the focus from; moving on from Cancel does.
    void cancelPutsOffTheCheck() {
        Fixture f;
        f.WriteCustom("1,\"Alpha\",2,0\r\n");
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.ClickEntry(1);
        e.Enter("txtMatProp_0", "-1");
        e.Button("CmdCancel")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(e.Button("CmdCancel")->hasFocus());
        QVERIFY(f.desktop.messages.empty());
        e.Field("txtMatName")->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.desktop.messages.size(), size_t(1));
        QCOMPARE(f.desktop.messages[0].Text, kLeaveANotPositive);
        QTRY_VERIFY(e.Field("txtMatProp_0")->hasFocus());
    }

    void unchangedFieldsKeepAcceptDisabled() {
        Fixture f;
        f.WriteCustom("1,\"Alpha\",.173,-1.5\r\n");
        Editor e(f);
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        e.ClickEntry(1);
        for (const char* name : {"txtMatName", "txtMatProp_0", "txtMatProp_1"}) {
            e.Field(name)->setFocus();
            QTRY_VERIFY(e.Field(name)->hasFocus());
        }
        e.ClickEntry(0);
        QVERIFY(!e.Button("cmdOK")->isEnabled());
        QVERIFY(f.desktop.messages.empty());
    }
};

QTEST_MAIN(TestCustomMaterials)
#include "test_custom_materials.moc"
