#include "analysis/base_condition_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

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

BaseConditionEditor::BaseConditionEditor(Arrangement arrangement, QWidget* parent)
    : QWidget(parent) {
    kind_ = new QComboBox;
    kind_->setObjectName(QStringLiteral("CboBase"));
    kind_->addItem(tr("Isothermal"), static_cast<int>(exact::BaseKind::Isothermal));
    kind_->addItem(tr("Heat transfer coefficient h"),
                   static_cast<int>(exact::BaseKind::HeatTransfer));
    kind_->addItem(tr("Heat sink resistance R"), static_cast<int>(exact::BaseKind::SinkResistance));
    value_ = new QLineEdit;
    value_->setObjectName(QStringLiteral("TxtBaseValue"));
    value_->setFixedWidth(kValueWidth);
    unit_ = new QLabel;
    unit_->setObjectName(QStringLiteral("LblBaseUnit"));
    unit_->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Base:")), 0, 0);
    layout->addWidget(kind_, 0, 1);
    layout->addWidget(value_, 0, 2);
    if (arrangement == Arrangement::Row) {
        layout->addWidget(unit_, 0, 3);
        layout->setColumnStretch(3, 1);
    } else {
        layout->addWidget(unit_, 1, 1, 1, 2);
    }
    ShowChoice();
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
        ShowChoice();
        emit changed();
    });
    connect(value_, &QLineEdit::textEdited, this, &BaseConditionEditor::changed);
}

void BaseConditionEditor::ShowChoice() {
    const auto kind = static_cast<exact::BaseKind>(kind_->currentData().toInt());
    value_->setVisible(kind != exact::BaseKind::Isothermal);
    unit_->setText(UnitOf(kind));
}

std::optional<exact::BaseCondition> BaseConditionEditor::Read(QString& error) const {
    exact::BaseCondition base;
    base.Kind = static_cast<exact::BaseKind>(kind_->currentData().toInt());
    error.clear();
    if (base.IsIsothermal()) return base;
    const QString text = value_->text().trimmed();
    base.Value = NumberIn(text).value_or(0.0);
    if (const auto problem = exact::BaseConditionProblem(base); problem || !NumberIn(text)) {
        const QString name = base.Kind == exact::BaseKind::HeatTransfer
                                 ? tr("heat transfer coefficient h")
                                 : tr("heat sink resistance R");
        error = tr("The %1 must be a positive number, not \u201C%2\u201D.").arg(name, text);
        return std::nullopt;
    }
    return base;
}

}  // namespace strativex
