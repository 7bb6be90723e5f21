#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include "analysis/exact_check_window.h"

namespace strativex {
namespace {

constexpr int kValueWidth = 110;

QString UnitOf(exact::BaseKind kind) {
    switch (kind) {
        case exact::BaseKind::Isothermal:
            break;
        case exact::BaseKind::HeatTransfer:
            return QStringLiteral(
                "W/m\u00B2\u00B7K, from the bottom face to the isothermal "
                "temperature");
        case exact::BaseKind::SinkResistance:
            return QStringLiteral(
                "K/W, spread evenly over the bottom face, to the isothermal "
                "temperature");
    }
    return QStringLiteral("the bottom face held at the isothermal temperature");
}

// Typed the user's way or the C way: "2,5" and "2.5" both read where the locale uses a comma.
std::optional<double> NumberIn(const QString& text) {
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok) value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

QWidget* ExactCheckWindow::BuildBase() {
    baseKind_ = new QComboBox;
    baseKind_->setObjectName(QStringLiteral("CboBase"));
    baseKind_->addItem(tr("Isothermal"), static_cast<int>(exact::BaseKind::Isothermal));
    baseKind_->addItem(tr("Heat transfer coefficient h"),
                       static_cast<int>(exact::BaseKind::HeatTransfer));
    baseKind_->addItem(tr("Heat sink resistance R"),
                       static_cast<int>(exact::BaseKind::SinkResistance));
    baseValue_ = new QLineEdit;
    baseValue_->setObjectName(QStringLiteral("TxtBaseValue"));
    baseValue_->setFixedWidth(kValueWidth);
    baseUnit_ = new QLabel;
    baseUnit_->setObjectName(QStringLiteral("LblBaseUnit"));
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Base:")));
    layout->addWidget(baseKind_);
    layout->addWidget(baseValue_);
    layout->addWidget(baseUnit_, 1);
    ShowBaseChoice();
    return row;
}

void ExactCheckWindow::ShowBaseChoice() {
    const auto kind = static_cast<exact::BaseKind>(baseKind_->currentData().toInt());
    baseValue_->setVisible(kind != exact::BaseKind::Isothermal);
    baseUnit_->setText(UnitOf(kind));
}

// A result computed for another base is no answer for this one.
void ExactCheckWindow::ChangeBase() {
    const bool wasUpToDate = ShownUpToDate();
    ShowBaseChoice();
    baseError_.clear();
    ++baseChoice_;
    ShowState();
    if (wasUpToDate) emit resultChanged();
}

std::optional<exact::BaseCondition> ExactCheckWindow::ReadBase() {
    exact::BaseCondition base;
    base.Kind = static_cast<exact::BaseKind>(baseKind_->currentData().toInt());
    baseError_.clear();
    if (base.IsIsothermal()) return base;
    const QString text = baseValue_->text().trimmed();
    base.Value = NumberIn(text).value_or(0.0);
    if (const auto problem = exact::BaseConditionProblem(base); problem || !NumberIn(text)) {
        const QString name = base.Kind == exact::BaseKind::HeatTransfer
                                 ? tr("heat transfer coefficient h")
                                 : tr("heat sink resistance R");
        baseError_ = tr("The %1 must be a positive number, not \u201C%2\u201D.").arg(name, text);
        return std::nullopt;
    }
    return base;
}

}  // namespace strativex
