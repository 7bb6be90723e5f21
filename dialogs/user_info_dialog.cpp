#include "dialogs/user_info_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "dialogs/dialog_buttons.h"
#include "dialogs/named_widget.h"
#include "dialogs/storable_text.h"
#include "views/report/today_date.h"
#include "views/report/user_info_labels.h"
#include "views/surface/model_text.h"
#include "views/surface/twips.h"

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
        infoLabels_[i] = NamedWidget<QLabel>(QStringLiteral("LblInfo_%1").arg(i),
                                             QString::fromLatin1(UserInfoLabels[i]), this);
        includeChecks_[i] = NamedWidget<QCheckBox>(QStringLiteral("ChkInclude_%1").arg(i), this);
        includeChecks_[i]->setAccessibleName(EntryName(i));
    }
    for (int i = 0; i < kTextSlots; ++i) {
        infoEdits_[i] = NamedWidget<QLineEdit>(QStringLiteral("TxtInfo_%1").arg(i), this);
        infoLabels_[i]->setBuddy(infoEdits_[i]);
    }
    currentDateCheck_ = NamedWidget<QCheckBox>(QStringLiteral("ChkCurDate"),
                                               QStringLiteral("Always use current date"), this);
    buttons_ = OkCancelButtons(this);
    connect(currentDateCheck_, &QCheckBox::clicked, this, &UserInfoDialog::CurrentDateClicked);
    connect(buttons_, &QDialogButtonBox::accepted, this, &UserInfoDialog::StoreUserInfo);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void UserInfoDialog::LoadValues() {
    auto& prefs = state_.prefs;
    for (int i = 0; i < kUserInfoSlots; ++i)
        includeChecks_[i]->setChecked(prefs.UserInfoInclude[i]);
    if (prefs.UseCurrentDate) {
        prefs.UserInfoText[kUserInfoDateSlot] = TodayModelText();
    }
    for (int i = 0; i < kTextSlots; ++i)
        infoEdits_[i]->setText(FromModelText(prefs.UserInfoText[i]));
    currentDateCheck_->setChecked(prefs.UseCurrentDate);
    infoEdits_[kUserInfoDateSlot]->setReadOnly(prefs.UseCurrentDate);
}

// Rows stand 650 twips apart, as on the window's design, or further when a larger desktop
// font needs the room; the columns follow the widest label so that no caption is clipped.
UserInfoDialog::Grid UserInfoDialog::MeasureGrid() const {
    const QFontMetrics metrics(font());
    Grid grid;
    grid.Left = Pixels(kMarginTwips);
    int labelWidth = 0;
    for (int i = 0; i < kTextSlots; ++i) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(infoLabels_[i]->text()));
    }
    grid.TextLeft = grid.Left + labelWidth + Pixels(kGapTwips);
    grid.TextWidth = Pixels(kTextWidthTwips);
    grid.TextHeight = std::max(Pixels(kTextHeightTwips), infoEdits_[0]->sizeHint().height());
    grid.HeadingLeft = grid.TextLeft + grid.TextWidth + Pixels(kMarginTwips);
    grid.Right = grid.HeadingLeft + heading_->sizeHint().width();
    grid.FirstRow = Pixels(kMarginTwips) + heading_->sizeHint().height() + Pixels(kGapTwips);
    grid.Pitch = std::max(Pixels(kRowPitchTwips), Pixels(kTextTopTwips) + grid.TextHeight +
                                                      currentDateCheck_->sizeHint().height() +
                                                      Pixels(kTextTopTwips));
    return grid;
}

void UserInfoDialog::PlaceControls() {
    const Grid grid = MeasureGrid();
    heading_->setGeometry(
        QRect(QPoint(grid.HeadingLeft, Pixels(kMarginTwips)), heading_->sizeHint()));
    for (int i = 0; i < kUserInfoSlots; ++i) PlaceRow(i, grid);
    const QRect date = infoEdits_[kUserInfoDateSlot]->geometry();
    currentDateCheck_->setGeometry(
        QRect(QPoint(grid.TextLeft, date.bottom() + 1 + Pixels(kTextTopTwips)),
              currentDateCheck_->sizeHint()));
    PlaceButtons(grid);
}

// The check box and the label stand level with the middle of the row's text box.
void UserInfoDialog::PlaceRow(int i, const Grid& grid) {
    const int textTop = grid.FirstRow + i * grid.Pitch + Pixels(kTextTopTwips);
    const int middle = textTop + grid.TextHeight / 2;
    if (i < kTextSlots) {
        infoEdits_[i]->setGeometry(grid.TextLeft, textTop, grid.TextWidth, grid.TextHeight);
    }
    const QSize check = includeChecks_[i]->sizeHint();
    const int checkLeft = grid.HeadingLeft + (grid.Right - grid.HeadingLeft - check.width()) / 2;
    includeChecks_[i]->setGeometry(QRect(QPoint(checkLeft, middle - check.height() / 2), check));
    const QSize label = infoLabels_[i]->sizeHint();
    const int labelLeft = i < kTextSlots ? grid.Left : grid.TextLeft;
    infoLabels_[i]->setGeometry(QRect(QPoint(labelLeft, middle - label.height() / 2), label));
}

void UserInfoDialog::PlaceButtons(const Grid& grid) {
    const int top = grid.FirstRow + kUserInfoSlots * grid.Pitch;
    const QSize size(2 * Pixels(kButtonWidthTwips) + Pixels(kGapTwips),
                     buttons_->sizeHint().height());
    buttons_->setGeometry(QRect(QPoint(grid.Right - size.width(), top), size));
    setFixedSize(grid.Right + grid.Left, top + size.height() + grid.Left);
}

void UserInfoDialog::CurrentDateClicked(bool checked) {
    infoEdits_[kUserInfoDateSlot]->setReadOnly(checked);
    if (checked) infoEdits_[kUserInfoDateSlot]->setText(TodayText());
}

void UserInfoDialog::RefuseText(int slot, const QString& problem) {
    desktop_.ShowMessage(this,
                         QStringLiteral("The entry for \"%1\" holds %2, which the preferences "
                                        "file cannot store.\r\nPlease change the entry.")
                             .arg(EntryName(slot), problem),
                         kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
    infoEdits_[slot]->setFocus();
    infoEdits_[slot]->selectAll();
}

void UserInfoDialog::StoreUserInfo() {
    for (int i = 0; i < kTextSlots; ++i) {
        if (const auto problem = QuotedFieldProblem(infoEdits_[i]->text())) {
            RefuseText(i, *problem);
            return;
        }
    }
    auto& prefs = state_.prefs;
    for (int i = 0; i < kTextSlots; ++i)
        prefs.UserInfoText[i] = *ToModelText(infoEdits_[i]->text());
    for (int i = 0; i < kUserInfoSlots; ++i)
        prefs.UserInfoInclude[i] = includeChecks_[i]->isChecked();
    prefs.UseCurrentDate = currentDateCheck_->isChecked();
    accept();
}

}  // namespace strativex
