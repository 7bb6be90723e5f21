#include "dialogs/user_info_dialog.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "dialogs/named_widget.h"
#include "dialogs/storable_text.h"
#include "platform/model_text.h"
#include "platform/twips.h"
#include "views/today_date.h"
#include "views/user_info_labels.h"

namespace strativex {
namespace {

constexpr int kMarginTwips = 240;
constexpr int kGapTwips = 120;
constexpr int kRowPitchTwips = 650;
constexpr int kTextTopTwips = 20;
constexpr int kTextHeightTwips = 300;
constexpr int kTextWidthTwips = 3600;
constexpr int kButtonWidthTwips = 1100;
const QString kTitle = QStringLiteral("User Information");

QString EntryName(int slot) {
    QString name = QString::fromLatin1(UserInfoLabels[slot]).trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name;
}

}  // namespace

UserInfoDialog::UserInfoDialog(AppState& state, Desktop& desktop, QWidget* parent)
    : QDialog(parent), state_(state), desktop_(desktop) {
    setObjectName(QStringLiteral("FrmUserInfo"));
    setWindowTitle(kTitle);
    BuildControls();
    LoadValues();
    PlaceControls();
}

void UserInfoDialog::BuildControls() {
    heading_ = NamedWidget<QLabel>(QStringLiteral("LblIncludeHeading"),
                                   QStringLiteral("Include in Printouts?"), this);
    for (int i = 0; i < kUserInfoSlots; ++i) {
        LblInfo[i] = NamedWidget<QLabel>(QStringLiteral("LblInfo_%1").arg(i),
                                         QString::fromLatin1(UserInfoLabels[i]), this);
        ChkInclude[i] = NamedWidget<QCheckBox>(QStringLiteral("ChkInclude_%1").arg(i), this);
        ChkInclude[i]->setAccessibleName(EntryName(i));
    }
    for (int i = 0; i < kTextSlots; ++i) {
        TxtInfo[i] = NamedWidget<QLineEdit>(QStringLiteral("TxtInfo_%1").arg(i), this);
        LblInfo[i]->setBuddy(TxtInfo[i]);
    }
    ChkCurDate = NamedWidget<QCheckBox>(QStringLiteral("ChkCurDate"),
                                        QStringLiteral("Always use current date"), this);
    CmdOK = NamedWidget<QPushButton>(QStringLiteral("CmdOK"), QStringLiteral("OK"), this);
    CmdCancel =
        NamedWidget<QPushButton>(QStringLiteral("CmdCancel"), QStringLiteral("Cancel"), this);
    CmdOK->setDefault(true);
    connect(ChkCurDate, &QCheckBox::clicked, this, &UserInfoDialog::CurrentDateClicked);
    connect(CmdOK, &QPushButton::clicked, this, &UserInfoDialog::StoreUserInfo);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void UserInfoDialog::LoadValues() {
    auto& prefs = state_.prefs;
    for (int i = 0; i < kUserInfoSlots; ++i) ChkInclude[i]->setChecked(prefs.UserInfoInclude[i]);
    if (prefs.UseCurrentDate) {
        // English month names are plain ASCII, the same bytes in every code page.
        prefs.UserInfoText[kUserInfoDateSlot] = TodayText().toLatin1().toStdString();
    }
    for (int i = 0; i < kTextSlots; ++i) TxtInfo[i]->setText(FromModelText(prefs.UserInfoText[i]));
    ChkCurDate->setChecked(prefs.UseCurrentDate);
    TxtInfo[kUserInfoDateSlot]->setReadOnly(prefs.UseCurrentDate);
}

// Rows stand 650 twips apart, as on the window's design, or further when a larger desktop
// font needs the room; the columns follow the widest label so that no caption is clipped.
UserInfoDialog::Grid UserInfoDialog::MeasureGrid() const {
    const QFontMetrics metrics(font());
    Grid grid;
    grid.Left = Pixels(kMarginTwips);
    int labelWidth = 0;
    for (int i = 0; i < kTextSlots; ++i) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(LblInfo[i]->text()));
    }
    grid.TextLeft = grid.Left + labelWidth + Pixels(kGapTwips);
    grid.TextWidth = Pixels(kTextWidthTwips);
    grid.TextHeight = std::max(Pixels(kTextHeightTwips), TxtInfo[0]->sizeHint().height());
    grid.HeadingLeft = grid.TextLeft + grid.TextWidth + Pixels(kMarginTwips);
    grid.Right = grid.HeadingLeft + heading_->sizeHint().width();
    grid.FirstRow = Pixels(kMarginTwips) + heading_->sizeHint().height() + Pixels(kGapTwips);
    grid.Pitch = std::max(Pixels(kRowPitchTwips), Pixels(kTextTopTwips) + grid.TextHeight +
                                                      ChkCurDate->sizeHint().height() +
                                                      Pixels(kTextTopTwips));
    return grid;
}

void UserInfoDialog::PlaceControls() {
    const Grid grid = MeasureGrid();
    heading_->setGeometry(
        QRect(QPoint(grid.HeadingLeft, Pixels(kMarginTwips)), heading_->sizeHint()));
    for (int i = 0; i < kUserInfoSlots; ++i) PlaceRow(i, grid);
    const QRect date = TxtInfo[kUserInfoDateSlot]->geometry();
    ChkCurDate->setGeometry(QRect(QPoint(grid.TextLeft, date.bottom() + 1 + Pixels(kTextTopTwips)),
                                  ChkCurDate->sizeHint()));
    PlaceButtons(grid);
}

// The check box and the label stand level with the middle of the row's text box.
void UserInfoDialog::PlaceRow(int i, const Grid& grid) {
    const int textTop = grid.FirstRow + i * grid.Pitch + Pixels(kTextTopTwips);
    const int middle = textTop + grid.TextHeight / 2;
    if (i < kTextSlots) {
        TxtInfo[i]->setGeometry(grid.TextLeft, textTop, grid.TextWidth, grid.TextHeight);
    }
    const QSize check = ChkInclude[i]->sizeHint();
    const int checkLeft = grid.HeadingLeft + (grid.Right - grid.HeadingLeft - check.width()) / 2;
    ChkInclude[i]->setGeometry(QRect(QPoint(checkLeft, middle - check.height() / 2), check));
    const QSize label = LblInfo[i]->sizeHint();
    const int labelLeft = i < kTextSlots ? grid.Left : grid.TextLeft;
    LblInfo[i]->setGeometry(QRect(QPoint(labelLeft, middle - label.height() / 2), label));
}

void UserInfoDialog::PlaceButtons(const Grid& grid) {
    const int top = grid.FirstRow + kUserInfoSlots * grid.Pitch;
    const QSize button(std::max(Pixels(kButtonWidthTwips), CmdCancel->sizeHint().width()),
                       CmdCancel->sizeHint().height());
    CmdCancel->setGeometry(QRect(QPoint(grid.Right - button.width(), top), button));
    CmdOK->setGeometry(
        QRect(QPoint(grid.Right - 2 * button.width() - Pixels(kGapTwips), top), button));
    setFixedSize(grid.Right + grid.Left, top + button.height() + grid.Left);
}

void UserInfoDialog::CurrentDateClicked(bool checked) {
    TxtInfo[kUserInfoDateSlot]->setReadOnly(checked);
    if (checked) TxtInfo[kUserInfoDateSlot]->setText(TodayText());
}

void UserInfoDialog::RefuseText(int slot, const QString& problem) {
    desktop_.ShowMessage(this,
                         QStringLiteral("The entry for \"%1\" holds %2, which the preferences "
                                        "file cannot store.\r\nPlease change the entry.")
                             .arg(EntryName(slot), problem),
                         kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
    TxtInfo[slot]->setFocus();
    TxtInfo[slot]->selectAll();
}

void UserInfoDialog::StoreUserInfo() {
    for (int i = 0; i < kTextSlots; ++i) {
        if (const auto problem = QuotedLineProblem(TxtInfo[i]->text())) {
            RefuseText(i, *problem);
            return;
        }
    }
    auto& prefs = state_.prefs;
    for (int i = 0; i < kTextSlots; ++i) prefs.UserInfoText[i] = *ToModelText(TxtInfo[i]->text());
    for (int i = 0; i < kUserInfoSlots; ++i) prefs.UserInfoInclude[i] = ChkInclude[i]->isChecked();
    prefs.UseCurrentDate = ChkCurDate->isChecked();
    accept();
}

}  // namespace strativex
