#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QtTest>

#include "dialogs/about_dialog.h"
#include "dialogs/comments_dialog.h"
#include "dialogs/contact_dialog.h"
#include "dialogs/digits_dialog.h"
#include "dialogs/file_locations.h"
#include "dialogs/path_picture.h"
#include "dialogs/user_info_dialog.h"
#include "scripted_desktop.h"
#include "views/today_date.h"

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

template <typename Control>
Control* Child(const QWidget& window, const QString& name) {
    auto* control = window.findChild<Control*>(name);
    if (control == nullptr) qWarning("no control named %s", qPrintable(name));
    return control;
}

void Click(const QWidget& window, const QString& name) {
    auto* button = Child<QAbstractButton>(window, name);
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

QString Text(const QWidget& window, const QString& name) {
    if (auto* edit = window.findChild<QLineEdit*>(name)) return edit->text();
    if (auto* label = window.findChild<QLabel*>(name)) return label->text();
    qWarning("no text control named %s", qPrintable(name));
    return {};
}

QString Folder(const std::string& folder) {
    return QString::fromStdString(folder);
}

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
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
        QTest::newRow("plus at five stays") << 0 << 5 << "+"
                                            << "0.00000" << 5;
        QTest::newRow("minus at zero stays") << 6 << 0 << "-"
                                             << "0" << 0;
        QTest::newRow("fourth plus from two changes nothing") << 3 << 2 << "++++"
                                                              << "0.00000" << 5;
        QTest::newRow("minus then plus") << 4 << 3 << "--+"
                                         << "0.00" << 2;
        QTest::newRow("damaged value shown as the most decimals") << 2 << 9 << ""
                                                                  << "0.00000" << 5;
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
        frmDigits dialog(state);
        dialog.show();
        for (const QChar press : presses) {
            const QString button =
                press == '+' ? QStringLiteral("CmdPlus_%1") : QStringLiteral("CmdMinus_%1");
            Click(dialog, button.arg(slot));
        }
        QCOMPARE(Text(dialog, QStringLiteral("Text_%1").arg(slot)), pattern);
        Click(dialog, "OKButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(state.prefs.DecimalDigits[slot], result);
        QCOMPARE(state.prefs.DecimalDigits[7], 4);
    }

    void digitsCancelKeepsValues_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape key") << true;
    }

    void digitsCancelKeepsValues() {
        QFETCH(bool, escape);
        AppState state = TestState();
        state.prefs.DecimalDigits = {0, 1, 2, 3, 4, 5, 2, 3};
        const DecimalDigitsTable before = state.prefs.DecimalDigits;
        frmDigits dialog(state);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(Text(dialog, QStringLiteral("Text_%1").arg(k)),
                     QString::fromLatin1(FormatPatterns[before[k]].data()));
            Click(dialog, QStringLiteral("CmdPlus_%1").arg(k));
        }
        if (escape) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            Click(dialog, "CancelButton");
        }
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(state.prefs.DecimalDigits == before);
    }

    void fileLocationsUseDefaultThenCancel() {
        AppState state = TestState();
        ScriptedDesktop desktop;
        FrmFileLocs dialog(state, desktop);
        dialog.show();
        QCOMPARE(Child<PathPicture>(dialog, "PicPath_0")->DisplayedText(), Folder(kMaterials));
        Click(dialog, "CmdDefault_0");
        Click(dialog, "CmdDefault_1");
        QCOMPARE(Child<PathPicture>(dialog, "PicPath_0")->DisplayedText(), "/opt/sx/Materials");
        QCOMPARE(Child<PathPicture>(dialog, "PicPath_1")->DisplayedText(), "/opt/sx/Models");
        Click(dialog, "CmdCancel");
        QCOMPARE(Folder(state.prefs.MaterialsFolder), Folder(kMaterials));
        QCOMPARE(Folder(state.prefs.ModelsFolder), Folder(kModels));
        QVERIFY(desktop.fileRequests.empty());
    }

    void fileLocationsChange_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<std::optional<QString>>("chosen");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("messages");
        QTest::newRow("models: the shown *.mdl accepted")
            << 1 << std::optional<QString>("/data/thermal/*.mdl") << "/data/thermal" << 0;
        QTest::newRow("materials: a data file")
            << 0 << std::optional<QString>("/data/mats/matprops.dat") << "/data/mats" << 0;
        QTest::newRow("a file in the root") << 1 << std::optional<QString>("/a.mdl") << "/" << 0;
        QTest::newRow("cancelled") << 1 << std::optional<QString>() << Folder(kModels) << 0;
        QTest::newRow("a folder with a quote")
            << 0 << std::optional<QString>("/data/\"old\"/matprops.dat") << Folder(kMaterials) << 1;
        QTest::newRow("a folder with a line break")
            << 1 << std::optional<QString>("/data/a\nb/x.mdl") << Folder(kModels) << 1;
    }

    void fileLocationsChange() {
        QFETCH(int, group);
        QFETCH(std::optional<QString>, chosen);
        QFETCH(QString, folder);
        QFETCH(int, messages);
        AppState state = TestState();
        ScriptedDesktop desktop;
        desktop.files.push_back(chosen);
        FrmFileLocs dialog(state, desktop);
        dialog.show();
        Click(dialog, QStringLiteral("CmdBrowse_%1").arg(group));
        QCOMPARE(int(desktop.messages.size()), messages);
        if (messages > 0) QCOMPARE(desktop.messages[0].Icon, MessageIcon::Exclamation);
        QCOMPARE(
            Child<PathPicture>(dialog, QStringLiteral("PicPath_%1").arg(group))->DisplayedText(),
            folder);
        Click(dialog, "CmdOK");
        const std::string& stored =
            group == 0 ? state.prefs.MaterialsFolder : state.prefs.ModelsFolder;
        QCOMPARE(Folder(stored), folder);
        const std::string& other =
            group == 0 ? state.prefs.ModelsFolder : state.prefs.MaterialsFolder;
        QCOMPARE(Folder(other), Folder(group == 0 ? kModels : kMaterials));
    }

    // A second "Change..." starts in the folder the first one chose.
    void fileLocationsRequests() {
        AppState state = TestState();
        ScriptedDesktop desktop;
        desktop.files = {std::nullopt, QStringLiteral("/data/next/any.name"), std::nullopt};
        FrmFileLocs dialog(state, desktop);
        dialog.show();
        for (const char* button : {"CmdBrowse_0", "CmdBrowse_1", "CmdBrowse_1"}) {
            Click(dialog, button);
        }
        QCOMPARE(int(desktop.fileRequests.size()), 3);
        const FileDialogRequest& materials = desktop.fileRequests[0];
        QCOMPARE(materials.Title, "Location of Materials Database File");
        QCOMPARE(materials.FileName, "matprops.dat");
        QCOMPARE(materials.Filters, QStringList({"Data Files (*.dat)", "All Files (*)"}));
        QCOMPARE(materials.Folder, Folder(kMaterials));
        const FileDialogRequest& models = desktop.fileRequests[1];
        QCOMPARE(models.Title, "Location of Model Files");
        QCOMPARE(models.FileName, "*.mdl");
        QCOMPARE(models.Filters, QStringList({"Model Files (*.mdl)", "All Files (*)"}));
        QCOMPARE(models.Folder, Folder(kModels));
        QVERIFY(materials.AcceptAnyName && models.AcceptAnyName);
        QCOMPARE(desktop.fileRequests[2].Folder, "/data/next");
    }

    void fileLocationsShortensLongPath() {
        AppState state = TestState();
        QString longPath = QStringLiteral("/home/ann");
        for (int i = 0; i < 30; ++i) longPath += QStringLiteral("/folder%1").arg(i);
        longPath += QStringLiteral("/models");
        state.prefs.ModelsFolder = longPath.toStdString();
        ScriptedDesktop desktop;
        FrmFileLocs dialog(state, desktop);
        dialog.show();
        const auto* picture = Child<PathPicture>(dialog, "PicPath_1");
        const QString shown = picture->DisplayedText();
        QVERIFY2(shown.startsWith("/.../"), qPrintable(shown));
        QVERIFY2(shown.endsWith("/folder29/models"), qPrintable(shown));
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
        FrmUserInfo dialog(state, desktop);
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

    void userInfoStoresTextsAndFlags() {
        AppState state = TestState();
        state.prefs.UseCurrentDate = false;
        state.prefs.UserInfoText = {"", "", "", "", "", "comments slot", "name slot", "file slot"};
        state.prefs.UserInfoInclude = {true, false, false, false, false, true, false, true};
        ScriptedDesktop desktop;
        FrmUserInfo dialog(state, desktop);
        dialog.show();
        QVERIFY(dialog.findChild<QLineEdit*>("TxtInfo_5") == nullptr);
        Child<QLineEdit>(dialog, "TxtInfo_0")->setText(QStringLiteral("J\u00fcrgen M\u00fcller"));
        Child<QLineEdit>(dialog, "TxtInfo_1")->setText(QStringLiteral("\u20ac Thermal, Ltd."));
        Click(dialog, "ChkInclude_0");
        Click(dialog, "ChkInclude_6");
        Click(dialog, "CmdOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Bytes(state.prefs.UserInfoText[0]), QByteArray("J\xfcrgen M\xfcller"));
        QCOMPARE(Bytes(state.prefs.UserInfoText[1]), QByteArray("\x80 Thermal, Ltd."));
        QCOMPARE(Bytes(state.prefs.UserInfoText[5]), QByteArray("comments slot"));
        QCOMPARE(Bytes(state.prefs.UserInfoText[6]), QByteArray("name slot"));
        QCOMPARE(Bytes(state.prefs.UserInfoText[7]), QByteArray("file slot"));
        const std::array<bool, kUserInfoSlots> flags{false, false, false, false,
                                                     false, true,  true,  true};
        QVERIFY(state.prefs.UserInfoInclude == flags);
    }

    void userInfoRefusesWhatPrefsCannotStore_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("double quote")
            << 3 << "The \"Big\" Project"
            << "The entry for \"Project\" holds a double quote (\"), which the preferences file "
               "cannot store.\r\nPlease change the entry.";
        QTest::newRow("line break")
            << 2 << "Research\nDevelopment"
            << "The entry for \"Department\" holds a line break, which the preferences file "
               "cannot store.\r\nPlease change the entry.";
        QTest::newRow("no code page character")
            << 0 << QStringLiteral("Dr. \u03a9")
            << QStringLiteral(
                   "The entry for \"Created by\" holds the character \"\u03a9\", "
                   "which the preferences file cannot store.\r\nPlease change the "
                   "entry.");
        QTest::newRow("character outside the basic plane")
            << 1 << QStringLiteral("Heat \U0001F525 Inc.")
            << QStringLiteral(
                   "The entry for \"Company\" holds the character \"\U0001F525\", "
                   "which the preferences file cannot store.\r\nPlease change the "
                   "entry.");
    }

    void userInfoRefusesWhatPrefsCannotStore() {
        QFETCH(int, slot);
        QFETCH(QString, text);
        QFETCH(QString, message);
        AppState state = TestState();
        state.prefs.UseCurrentDate = false;
        const Preferences before = state.prefs;
        ScriptedDesktop desktop;
        FrmUserInfo dialog(state, desktop);
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

    void dateTextIsEnglish() {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString shown = DateText(QDate(2026, 12, 6));
        QLocale::setDefault(previous);
        QCOMPARE(shown, "6 December 2026");
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
        AppState state = TestState();
        state.model.ModelComments = comments.toStdString();
        ScriptedDesktop desktop;
        auto* dialog = new FrmComments(state, desktop);
        QPointer<FrmComments> guard(dialog);
        QSignalSpy accepted(dialog, &QDialog::accepted);
        dialog->show();
        Click(*dialog, "CmdOK");
        QCOMPARE(Bytes(state.model.ModelComments), comments);
        QVERIFY(state.model.ModelChanged);
        QCOMPARE(accepted.count(), 1);
        QTRY_VERIFY(guard.isNull());
    }

    void commentsCancelAndCloseKeepModel_data() {
        QTest::addColumn<bool>("cancelButton");
        QTest::newRow("Cancel") << true;
        QTest::newRow("window closed") << false;
    }

    void commentsCancelAndCloseKeepModel() {
        QFETCH(bool, cancelButton);
        AppState state = TestState();
        state.model.ModelComments = "old";
        state.prefs.CommentsWindowWidth = 6000;
        state.prefs.CommentsWindowHeight = 4500;
        ScriptedDesktop desktop;
        auto* dialog = new FrmComments(state, desktop);
        QPointer<FrmComments> guard(dialog);
        dialog->show();
        QCOMPARE(dialog->size(), QSize(400, 300));
        dialog->resize(500, 350);
        Child<QPlainTextEdit>(*dialog, "TxtComments")->setPlainText("new");
        if (cancelButton) {
            Click(*dialog, "CmdCancel");
        } else {
            dialog->close();
        }
        QCOMPARE(Bytes(state.model.ModelComments), QByteArray("old"));
        QVERIFY(!state.model.ModelChanged);
        QCOMPARE(state.prefs.CommentsWindowWidth, cancelButton ? 7500 : 6000);
        QCOMPARE(state.prefs.CommentsWindowHeight, cancelButton ? 5250 : 4500);
        QTRY_VERIFY(guard.isNull());
    }

    void commentsSizeLimits_data() {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("resized");
        QTest::addColumn<QSize>("remembered");
        QTest::newRow("first start opens at the minimum")
            << QSize(0, 0) << QSize() << QSize(2400, 1605);
        QTest::newRow("shrunk below the minimum")
            << QSize(6000, 4500) << QSize(50, 40) << QSize(2400, 1605);
        QTest::newRow("wider than the preferences can hold")
            << QSize(6000, 4500) << QSize(2500, 400) << QSize(32767, 6000);
    }

    void commentsSizeLimits() {
        QFETCH(QSize, stored);
        QFETCH(QSize, resized);
        QFETCH(QSize, remembered);
        AppState state = TestState();
        state.prefs.CommentsWindowWidth = static_cast<std::int16_t>(stored.width());
        state.prefs.CommentsWindowHeight = static_cast<std::int16_t>(stored.height());
        ScriptedDesktop desktop;
        auto* dialog = new FrmComments(state, desktop);
        dialog->show();
        if (resized.isValid()) dialog->resize(resized);
        Click(*dialog, "CmdOK");
        QCOMPARE(state.prefs.CommentsWindowWidth, remembered.width());
        QCOMPARE(state.prefs.CommentsWindowHeight, remembered.height());
    }

    void commentsRefuseTextWithoutCode() {
        AppState state = TestState();
        state.model.ModelComments = "old";
        ScriptedDesktop desktop;
        auto* dialog = new FrmComments(state, desktop);
        dialog->show();
        Child<QPlainTextEdit>(*dialog, "TxtComments")
            ->setPlainText(QStringLiteral("\u0394T = 5 K"));
        Click(*dialog, "CmdOK");
        QCOMPARE(int(desktop.messages.size()), 1);
        QCOMPARE(desktop.messages[0].Text,
                 QStringLiteral("The comments hold the character \"\u0394\", which a model file "
                                "cannot store.\r\nPlease remove or replace it."));
        QCOMPARE(desktop.messages[0].Title, "Model Comments");
        QVERIFY(dialog->isVisible());
        QCOMPARE(Bytes(state.model.ModelComments), QByteArray("old"));
        QVERIFY(!state.model.ModelChanged);
        delete dialog;
    }

    void aboutShowsNameVersionAndLogo() {
        AppState state = TestState();
        frmAbout dialog(state);
        QVERIFY(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(ProgramVersion()).hasMatch());
        QCOMPARE(Text(dialog, "LblProgramName"), "Strativex");
        QCOMPARE(Text(dialog, "LblVersion"), "Version " + ProgramVersion());
        QVERIFY(!Child<QLabel>(dialog, "PicLogo")->pixmap().isNull());
        Click(dialog, "CmdOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void contactWithoutDetails() {
        ScriptedDesktop desktop;
        frmContactUs dialog(desktop, ContactDetails{});
        QVERIFY(dialog.findChild<QLabel*>("LblNoContact") != nullptr);
        QVERIFY(dialog.findChild<QLabel*>("LblEmail") == nullptr);
        QVERIFY(dialog.findChild<QLabel*>("LblWeb") == nullptr);
    }

    void contactLinksOpenThroughDesktop_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("opened");
        QTest::newRow("e-mail") << "LblEmail"
                                << "mailto:ann@example.com";
        QTest::newRow("web") << "LblWeb"
                             << "https://example.com/support";
    }

    void contactLinksOpenThroughDesktop() {
        QFETCH(QString, label);
        QFETCH(QString, opened);
        ScriptedDesktop desktop;
        frmContactUs dialog(desktop, {"ann@example.com", "https://example.com/support"});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* link = Child<QLabel>(dialog, label);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
        QCOMPARE(desktop.openedDocuments, QStringList{opened});
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
