#include "dialogs/digits_dialog.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/dialog_buttons.h"
#include "dialogs/named_widget.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr int kMostDecimals = 5;
constexpr int kStepButtonTwips = 360;
constexpr int kPatternWidthTwips = 1200;

struct GroupPlace {
    const char* Caption;
    int Row;
    int Column;
};

constexpr std::array<GroupPlace, 7> kGroups{{{"Length/Width (mm)", 0, 0},
                                             {"Thickness (mm)", 1, 0},
                                             {"Length/Width (in.)", 0, 1},
                                             {"Thickness (in.)", 1, 1},
                                             {"Power Dissipation (W)", 2, 0},
                                             {"Temperature (C)", 3, 0},
                                             {"Thermal Resistance (C/W)", 4, 0}}};

QPushButton* StepButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = NamedWidget<QPushButton>(name, caption, parent);
    button->setFixedSize(Pixels(kStepButtonTwips), Pixels(kStepButtonTwips));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

DigitsDialog::DigitsDialog(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmDigits"));
    setWindowTitle(QStringLiteral("Decimal Representation"));
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (int k = 0; k < kSlots; ++k) {
        // A damaged preferences value must not point past the table of patterns.
        workingDigits_[k] = static_cast<std::int16_t>(
            std::clamp<int>(state.prefs.DecimalDigits[k], 0, kMostDecimals));
        grid->addWidget(BuildGroup(k), kGroups[k].Row, kGroups[k].Column);
        ShowPattern(k);
    }
    // OK and Cancel stand at the foot of the right column, below its two groups.
    grid->addWidget(BuildButtons(), 3, 1, 2, 1, Qt::AlignBottom | Qt::AlignHCenter);
}

QWidget* DigitsDialog::BuildGroup(int k) {
    auto* frame = NamedWidget<QFrame>(QStringLiteral("Frame1_%1").arg(k), this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* label = NamedWidget<QLabel>(QStringLiteral("Label_%1").arg(k),
                                      QString::fromLatin1(kGroups[k].Caption), frame);
    patternEdits_[k] = NamedWidget<QLineEdit>(QStringLiteral("Text_%1").arg(k), frame);
    patternEdits_[k]->setReadOnly(true);
    patternEdits_[k]->setFocusPolicy(Qt::NoFocus);
    patternEdits_[k]->setAlignment(Qt::AlignCenter);
    patternEdits_[k]->setFixedWidth(Pixels(kPatternWidthTwips));
    auto* minus = StepButton(QStringLiteral("-"), QStringLiteral("CmdMinus_%1").arg(k), frame);
    auto* plus = StepButton(QStringLiteral("+"), QStringLiteral("CmdPlus_%1").arg(k), frame);
    connect(minus, &QPushButton::clicked, this, [this, k] { ChangeDigits(k, -1); });
    connect(plus, &QPushButton::clicked, this, [this, k] { ChangeDigits(k, +1); });

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(minus);
    row->addWidget(patternEdits_[k]);
    row->addWidget(plus);
    row->addStretch();
    auto* column = new QVBoxLayout(frame);
    column->addWidget(label, 0, Qt::AlignHCenter);
    column->addLayout(row);
    return frame;
}

QWidget* DigitsDialog::BuildButtons() {
    QDialogButtonBox* box =
        OkCancelButtons(this, QStringLiteral("OKButton"), QStringLiteral("CancelButton"));
    box->setOrientation(Qt::Vertical);
    connect(box, &QDialogButtonBox::accepted, this, &DigitsDialog::StoreDigits);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return box;
}

void DigitsDialog::ShowPattern(int k) {
    const std::string_view pattern = FormatPatterns[workingDigits_[k]];
    patternEdits_[k]->setText(
        QString::fromLatin1(pattern.data(), static_cast<qsizetype>(pattern.size())));
}

void DigitsDialog::ChangeDigits(int k, int step) {
    workingDigits_[k] =
        static_cast<std::int16_t>(std::clamp(workingDigits_[k] + step, 0, kMostDecimals));
    ShowPattern(k);
}

void DigitsDialog::StoreDigits() {
    std::copy_n(workingDigits_.begin(), kSlots, state_.prefs.DecimalDigits.begin());
    accept();
}

}  // namespace strativex
