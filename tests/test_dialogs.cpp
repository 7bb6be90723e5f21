#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "dialogs/about_dialog.h"
#include "dialogs/comments_dialog.h"
#include "dialogs/contact_dialog.h"
#include "dialogs/digits_dialog.h"
#include "dialogs/file_locations_dialog.h"
#include "dialogs/path_picture.h"
#include "dialogs/user_info_dialog.h"
#include "support/scripted_desktop.h"
#include "support/widget_lookup.h"
#include "views/report/today_date.h"

using namespace strativex;

namespace {

const std::string kMaterials = "/srv/sx/materials";
const std::string kModels = "/home/ann/models";

AppState TestState() {
    AppState state;
    state.folders = ProgramFoldersFor("/opt/sx");
    state.prefs.MaterialsFolder = kMaterials;
    state.prefs.ModelsFolder = kModels;
    state.materialPaths = MaterialPathsIn(kMaterials);
    return state;
}

QString Folder(const std::string& folder) {
    return QString::fromStdString(folder);
}

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

QString Shown(const QWidget& window, int group) {
    return Child<PathPicture>(window, QStringLiteral("PicPath_%1").arg(group))->DisplayedText();
}

// A model's comments, the document that records their change, and a desktop that answers.
struct CommentsBench {
    AppState state = TestState();
    ScriptedDesktop desktop;
    ModelDocument document{state.model, state.materials};
};

QString PrefsCannotStore(const QString& entry, const QString& what) {
    return "The entry for \"" + entry + "\" holds " + what +
           ", which the preferences file cannot store.\r\nPlease change the entry.";
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void digitsStepWithinLimits_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("result");
        auto row = [](const char* tag, int slot, int stored, const char* presses,
                      const char* pattern, int result) {
            QTest::newRow(tag) << slot << stored << QString(presses) << QString(pattern) << result;
        };
        row("plus at five stays", 0, 5, "+", "0.00000", 5);
        row("minus at zero stays", 6, 0, "-", "0", 0);
        row("fourth plus from two changes nothing", 3, 2, "++++", "0.00000", 5);
        row("minus then plus", 4, 3, "--+", "0.00", 2);
        row("damaged value shown as the most decimals", 2, 9, "", "0.00000", 5);
    }

    void digitsStepWithinLimits() {
        QFETCH(int, slot);
        QFETCH(int, stored);
        QFETCH(QString, presses);
        QFETCH(QString, pattern);
        QFETCH(int, result);
        AppState state = TestState();
        state.prefs.DecimalDigits[slot] = static_cast<std::int16_t>(stored);
        state.prefs.DecimalDigits[7] = 4;
        DigitsDialog dialog(state);
        dialog.show();
        for (const QChar press : presses) {
            Click(dialog, QString(press == '+' ? "CmdPlus_%1" : "CmdMinus_%1").arg(slot));
        }
        QCOMPARE(Text(dialog, QStringLiteral("Text_%1").arg(slot)), pattern);
        Click(dialog, "OKButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.prefs.DecimalDigits[slot], result);
        QCOMPARE(state.prefs.DecimalDigits[7], 4);
    }

    void digitsCancelKeepsValues() {
        AppState state = TestState();
        state.prefs.DecimalDigits = {0, 1, 2, 3, 4, 5, 2, 3};
        const DecimalDigitsTable before = state.prefs.DecimalDigits;
        DigitsDialog dialog(state);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QStringList shown{"0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.00"};
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(Text(dialog, QStringLiteral("Text_%1").arg(k)), shown[k]);
            Click(dialog, QStringLiteral("CmdPlus_%1").arg(k));
        }
        Click(dialog, "CancelButton");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(state.prefs.DecimalDigits == before);
    }

    void fileLocationsChange_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<std::optional<QString>>("chosen");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("messages");
        auto row = [](const char* tag, int group, std::optional<QString> chosen,
                      const QString& folder, int messages = 0) {
            QTest::newRow(tag) << group << chosen << folder << messages;
        };
        row("models: the shown *.mdl accepted", 1, "/data/thermal/*.mdl", "/data/thermal");
        row("materials: a data file", 0, "/data/mats/matprops.dat", "/data/mats");
        row("a file in the root", 1, "/a.mdl", "/");
        row("cancelled", 1, std::nullopt, Folder(kModels));
        row("a folder with a quote", 0, "/data/\"old\"/matprops.dat", Folder(kMaterials), 1);
        row("a folder with a line break", 1, "/data/a\nb/x.mdl", Folder(kModels), 1);
    }

    void fileLocationsChange() {
        QFETCH(int, group);
        QFETCH(std::optional<QString>, chosen);
        QFETCH(QString, folder);
        QFETCH(int, messages);
        AppState state = TestState();
        ScriptedDesktop desktop;
        desktop.files.push_back(chosen);
        FileLocationsDialog dialog(state, desktop);
        dialog.show();
        Click(dialog, QStringLiteral("CmdBrowse_%1").arg(group));
        QCOMPARE(int(desktop.messages.size()), messages);
        if (messages > 0) QCOMPARE(desktop.messages[0].Icon, MessageIcon::Exclamation);
        QCOMPARE(Shown(dialog, group), folder);
        Click(dialog, "CmdOK");
        const auto& [stored, other] =
            group == 0 ? std::tie(state.prefs.MaterialsFolder, state.prefs.ModelsFolder)
                       : std::tie(state.prefs.ModelsFolder, state.prefs.MaterialsFolder);
        QCOMPARE(Folder(stored), folder);
        QCOMPARE(Folder(other), Folder(group == 0 ? kModels : kMaterials));
    }

    // A second "Change..." starts in the folder the first one chose; Cancel drops every choice.
    void fileLocationsRequestsDefaultsAndCancel() {
        AppState state = TestState();
        ScriptedDesktop desktop;
        desktop.files = {std::nullopt, QStringLiteral("/data/next/any.name"), std::nullopt};
        FileLocationsDialog dialog(state, desktop);
        dialog.show();
        for (const char* button : {"CmdBrowse_0", "CmdBrowse_1", "CmdBrowse_1"}) {
            Click(dialog, button);
        }
        QCOMPARE(int(desktop.fileRequests.size()), 3);
        const FileDialogRequest& materials = desktop.fileRequests[0];
        QCOMPARE(QStringList({materials.Title, materials.FileName, materials.Folder}),
                 QStringList(
                     {"Location of Materials Database File", "matprops.dat", Folder(kMaterials)}));
        QCOMPARE(materials.Filters, QStringList({"Data Files (*.dat)", "All Files (*)"}));
        const FileDialogRequest& models = desktop.fileRequests[1];
        QCOMPARE(QStringList({models.Title, models.FileName, models.Folder}),
                 QStringList({"Location of Model Files", "*.mdl", Folder(kModels)}));
        QCOMPARE(models.Filters, QStringList({"Model Files (*.mdl)", "All Files (*)"}));
        QVERIFY(materials.AcceptAnyName && models.AcceptAnyName);
        QCOMPARE(desktop.fileRequests[2].Folder, "/data/next");
        Click(dialog, "CmdDefault_0");
        Click(dialog, "CmdDefault_1");
        QCOMPARE(QStringList({Shown(dialog, 0), Shown(dialog, 1)}),
                 QStringList({"/opt/sx/Materials", "/opt/sx/Models"}));
        QCOMPARE(int(desktop.fileRequests.size()), 3);
        Click(dialog, "CmdCancel");
        QCOMPARE(Folder(state.prefs.MaterialsFolder), Folder(kMaterials));
        QCOMPARE(Folder(state.prefs.ModelsFolder), Folder(kModels));
    }

    void fileLocationsShortensLongPath() {
        AppState state = TestState();
        QString longPath = QStringLiteral("/home/ann");
        for (int i = 0; i < 30; ++i) longPath += QStringLiteral("/folder%1").arg(i);
        longPath += QStringLiteral("/models");
        state.prefs.ModelsFolder = longPath.toStdString();
        ScriptedDesktop desktop;
        FileLocationsDialog dialog(state, desktop);
        dialog.show();
        const auto* picture = Child<PathPicture>(dialog, "PicPath_1");
        const QString shown = picture->DisplayedText();
        QVERIFY2(shown.startsWith("/.../") && shown.endsWith("/folder29/models"),
                 qPrintable(shown));
        QVERIFY(QFontMetrics(picture->font()).horizontalAdvance(shown) <= picture->width());
        Click(dialog, "CmdOK");
        QCOMPARE(Folder(state.prefs.ModelsFolder), longPath);
    }

    void userInfoDateOption_data() {
        QTest::addColumn<bool>("useDate");
        QTest::addColumn<bool>("clickOption");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("stored");
        const QString today = TodayText();
        // Today's date is stored while the window loads, so Cancel keeps it.
        QTest::newRow("current date, Cancel") << true << false << "" << false << today;
        QTest::newRow("unchecked, own text")
            << true << true << "Spring 2026" << true << "Spring 2026";
        QTest::newRow("checked again") << false << true << "" << true << today;
    }

    void userInfoDateOption() {
        QFETCH(bool, useDate);
        QFETCH(bool, clickOption);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, stored);
        AppState state = TestState();
        state.prefs.UseCurrentDate = useDate;
        state.prefs.UserInfoText[kUserInfoDateSlot] = "1 January 1999";
        ScriptedDesktop desktop;
        UserInfoDialog dialog(state, desktop);
        dialog.show();
        auto* date = Child<QLineEdit>(dialog, "TxtInfo_4");
        QCOMPARE(date->isReadOnly(), useDate);
        if (clickOption) Click(dialog, "ChkCurDate");
        const bool option = useDate != clickOption;
        QCOMPARE(date->isReadOnly(), option);
        QCOMPARE(date->text(), useDate || option ? TodayText() : QStringLiteral("1 January 1999"));
        if (!typed.isEmpty()) date->setText(typed);
        Click(dialog, ok ? "CmdOK" : "CmdCancel");
        QCOMPARE(Folder(state.prefs.UserInfoText[kUserInfoDateSlot]), stored);
        QCOMPARE(state.prefs.UseCurrentDate, ok ? option : useDate);
    }

    // Texts are stored in Windows-1252; the slots without a field keep what they held.
    void userInfoStoresTextsAndFlags() {
        AppState state = TestState();
        state.prefs.UseCurrentDate = false;
        state.prefs.UserInfoText = {"", "", "", "", "", "comments slot", "name slot", "file slot"};
        state.prefs.UserInfoInclude = {true, false, false, false, false, true, false, true};
        ScriptedDesktop desktop;
        UserInfoDialog dialog(state, desktop);
        dialog.show();
        QVERIFY(dialog.findChild<QLineEdit*>("TxtInfo_5") == nullptr);
        Child<QLineEdit>(dialog, "TxtInfo_0")->setText(QStringLiteral("J\u00fcrgen M\u00fcller"));
        Child<QLineEdit>(dialog, "TxtInfo_1")->setText(QStringLiteral("\u20ac Thermal, Ltd."));
        Click(dialog, "ChkInclude_0");
        Click(dialog, "ChkInclude_6");
        Click(dialog, "CmdOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const auto& texts = state.prefs.UserInfoText;
        QCOMPARE(QList<QByteArray>({Bytes(texts[0]), Bytes(texts[1]), Bytes(texts[5]),
                                    Bytes(texts[6]), Bytes(texts[7])}),
                 QList<QByteArray>({"J\xfcrgen M\xfcller", "\x80 Thermal, Ltd.", "comments slot",
                                    "name slot", "file slot"}));
        const std::array<bool, kUserInfoSlots> flags{false, false, false, false,
                                                     false, true,  true,  true};
        QVERIFY(state.prefs.UserInfoInclude == flags);
    }

    void userInfoRefusesWhatPrefsCannotStore_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, int slot, const QString& text, const char* entry,
                            const QString& what) {
            QTest::newRow(name) << slot << text << PrefsCannotStore(entry, what);
        };
        row("double quote", 3, "The \"Big\" Project", "Project", "a double quote (\")");
        row("line break", 2, "Research\nDevelopment", "Department", "a line break");
        row("no code page character", 0, QStringLiteral("Dr. \u03a9"), "Created by",
            QStringLiteral("the character \"\u03a9\""));
        row("character outside the basic plane", 1, QStringLiteral("Heat \U0001F525 Inc."),
            "Company", QStringLiteral("the character \"\U0001F525\""));
    }

    void userInfoRefusesWhatPrefsCannotStore() {
        QFETCH(int, slot);
        QFETCH(QString, text);
        QFETCH(QString, message);
        AppState state = TestState();
        state.prefs.UseCurrentDate = false;
        const Preferences before = state.prefs;
        ScriptedDesktop desktop;
        UserInfoDialog dialog(state, desktop);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* field = Child<QLineEdit>(dialog, QStringLiteral("TxtInfo_%1").arg(slot));
        field->setText(text);
        Click(dialog, "ChkInclude_2");
        Click(dialog, "CmdOK");
        QCOMPARE(int(desktop.messages.size()), 1);
        QCOMPARE(desktop.messages[0].Text, message);
        QCOMPARE(desktop.messages[0].Title, "User Information");
        QCOMPARE(desktop.messages[0].Icon, MessageIcon::Exclamation);
        QVERIFY(dialog.isVisible());
        QTRY_VERIFY(field->hasFocus());
        QVERIFY(state.prefs.UserInfoText == before.UserInfoText);
        QVERIFY(state.prefs.UserInfoInclude == before.UserInfoInclude);
    }

    void commentsRoundTrip_data() {
        QTest::addColumn<QByteArray>("comments");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("line breaks and a blank line")
            << QByteArray("first\r\nsecond\r\n\r\nfourth");
        QTest::newRow("trailing line break") << QByteArray("only line\r\n");
        QTest::newRow("8-bit characters and a non-breaking space") << QByteArray(
            "25\xb0"
            "C\xa0max, \x80 5, \"quoted\"");
    }

    void commentsRoundTrip() {
        QFETCH(QByteArray, comments);
        CommentsBench b;
        b.state.model.ModelComments = comments.toStdString();
        auto* dialog = new CommentsDialog(b.state, b.document, b.desktop);
        QPointer<CommentsDialog> guard(dialog);
        QSignalSpy accepted(dialog, &QDialog::accepted);
        dialog->show();
        Click(*dialog, "CmdOK");
        QCOMPARE(Bytes(b.state.model.ModelComments), comments);
        // The text comes back as it was, so there is nothing to undo.
        QVERIFY(!b.document.IsModified());
        QCOMPARE(accepted.count(), 1);
        QTRY_VERIFY(guard.isNull());
    }

    // Sizes are stored in twips, 15 to a pixel; closing by the title bar forgets the size.
    void commentsWindowSize_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("resized");
        QTest::addColumn<QSize>("remembered");
        const QSize kept(6000, 4500);
        QTest::newRow("Cancel") << "CmdCancel" << kept << QSize(500, 350) << QSize(7500, 5250);
        QTest::newRow("first start opens at a size to write in")
            << "CmdOK" << QSize(0, 0) << QSize() << QSize(7200, 4800);
        QTest::newRow("shrunk below the minimum") << "CmdOK" << kept << QSize(50, 40) << QSize();
        QTest::newRow("wider than the preferences can hold")
            << "CmdOK" << kept << QSize(2500, 400) << QSize(32767, 6000);
    }

    void commentsWindowSize() {
        QFETCH(QString, how);
        QFETCH(QSize, stored);
        QFETCH(QSize, resized);
        QFETCH(QSize, remembered);
        CommentsBench b;
        Preferences& prefs = b.state.prefs;
        b.state.model.ModelComments = "old";
        prefs.CommentsWindowWidth = static_cast<std::int16_t>(stored.width());
        prefs.CommentsWindowHeight = static_cast<std::int16_t>(stored.height());
        auto* dialog = new CommentsDialog(b.state, b.document, b.desktop);
        QPointer<CommentsDialog> guard(dialog);
        dialog->show();
        if (stored == QSize(6000, 4500)) QCOMPARE(dialog->size(), QSize(400, 300));
        if (resized.isValid()) dialog->resize(resized);
        Child<QPlainTextEdit>(*dialog, "TxtComments")->setPlainText("new");
        Click(*dialog, how);
        const bool ok = how == "CmdOK";
        QCOMPARE(Bytes(b.state.model.ModelComments), QByteArray(ok ? "new" : "old"));
        QCOMPARE(b.document.IsModified(), ok);
        QCOMPARE(b.document.History().undoText(), ok ? QStringLiteral("Comments") : QString());
        const QSize kept(prefs.CommentsWindowWidth, prefs.CommentsWindowHeight);
        if (remembered.isValid()) QCOMPARE(kept, remembered);
        if (!remembered.isValid()) QVERIFY(kept.width() >= 2400 && kept.height() >= 1600);
        QTRY_VERIFY(guard.isNull());
    }

    // At its smallest the window still shows both buttons whole and a few lines of text, with
    // the desktop's font and with a large one.
    void commentsSmallestSizeShowsItsControls() {
        CommentsBench b;
        CommentsDialog dialog(b.state, b.document, b.desktop);
        dialog.show();
        for (const int points : {0, 18}) {
            if (points > 0) dialog.setFont(QFont(dialog.font().family(), points));
            dialog.resize(1, 1);
            const auto* ok = Child<QPushButton>(dialog, "CmdOK");
            const auto* cancel = Child<QPushButton>(dialog, "CmdCancel");
            const auto* text = Child<QPlainTextEdit>(dialog, "TxtComments");
            QVERIFY(dialog.rect().contains(
                cancel->geometry().translated(cancel->parentWidget()->pos())));
            QVERIFY(ok->mapTo(&dialog, QPoint(ok->width(), 0)).x() <=
                    cancel->mapTo(&dialog, QPoint()).x());
            QVERIFY(ok->width() >= ok->sizeHint().width());
            QVERIFY(text->height() >= 3 * text->fontMetrics().lineSpacing());
        }
    }

    void commentsRefuseTextWithoutCode() {
        CommentsBench b;
        b.state.model.ModelComments = "old";
        CommentsDialog dialog(b.state, b.document, b.desktop);
        dialog.show();
        Child<QPlainTextEdit>(dialog, "TxtComments")->setPlainText(QStringLiteral("\u0394T = 5 K"));
        Click(dialog, "CmdOK");
        QCOMPARE(int(b.desktop.messages.size()), 1);
        QCOMPARE(b.desktop.messages[0].Text,
                 QStringLiteral("The comments hold the character \"\u0394\", which a model file "
                                "cannot store.\r\nPlease remove or replace it."));
        QCOMPARE(b.desktop.messages[0].Title, "Model Comments");
        QVERIFY(dialog.isVisible());
        QCOMPARE(Bytes(b.state.model.ModelComments), QByteArray("old"));
        QVERIFY(!b.document.IsModified());
    }

    void aboutShowsNameVersionAndLogo() {
        AppState state = TestState();
        AboutDialog dialog(state);
        QCOMPARE(Text(dialog, "LblProgramName"), "Strativex");
        QVERIFY(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$")
                    .match(Text(dialog, "LblVersion"))
                    .hasMatch());
        QVERIFY(!Child<QLabel>(dialog, "PicLogo")->pixmap().isNull());
        Click(dialog, "CmdOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void contactWithoutDetails() {
        ScriptedDesktop desktop;
        ContactDialog dialog(desktop, ContactDetails{});
        QVERIFY(dialog.findChild<QLabel*>("LblNoContact") != nullptr);
        QVERIFY(!dialog.findChild<QLabel*>("LblEmail") && !dialog.findChild<QLabel*>("LblWeb"));
    }

    void contactLinksOpenThroughDesktop_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("opened");
        QTest::newRow("e-mail") << QString("LblEmail") << QString("mailto:ann@example.com");
        QTest::newRow("web") << QString("LblWeb") << QString("https://example.com/support");
    }

    void contactLinksOpenThroughDesktop() {
        QFETCH(QString, label);
        QFETCH(QString, opened);
        ScriptedDesktop desktop;
        ContactDialog dialog(desktop, {"ann@example.com", "https://example.com/support"});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* link = Child<QLabel>(dialog, label);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
        QCOMPARE(desktop.openedDocuments, QStringList{opened});
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
