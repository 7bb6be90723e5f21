#include "analysis/pulse_calculator.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/typed_number.h"
#include "dialogs/named_widget.h"
#include "exact/pulse_response.h"

namespace strativex {
namespace {

QString Number(double value) {
    return QString::number(value, 'g', 4);
}

// The field's value, or why it is none, naming what was typed.
std::optional<double> FieldValue(const QLineEdit& field, const QString& name, const char* unit,
                                 QString& problem) {
    const TypedNumber typed = ReadTypedNumber(field.text().toStdString(), {unit});
    if (typed.Fault == TypedNumberFault::None) return typed.Value;
    problem = field.text().trimmed().isEmpty()
                  ? QObject::tr("Enter the %1.").arg(name)
                  : QObject::tr("The %1 \u201C%2\u201D is not a number.").arg(name, field.text());
    return std::nullopt;
}

}  // namespace

PulseCalculator::PulseCalculator(QWidget* parent) : QGroupBox(tr("Pulse"), parent) {
    setObjectName(QStringLiteral("GrpPulse"));
    power_ = NamedWidget<QLineEdit>(QStringLiteral("TxtPulsePower"));
    width_ = NamedWidget<QLineEdit>(QStringLiteral("TxtPulseWidth"), QStringLiteral("0.001"));
    period_ = NamedWidget<QLineEdit>(QStringLiteral("TxtPulsePeriod"), QStringLiteral("0.01"));
    single_ = NamedWidget<QCheckBox>(QStringLiteral("ChkSinglePulse"), tr("Single pulse"));
    answer_ = NamedWidget<QLabel>(QStringLiteral("LblPulsePeak"));
    answer_->setWordWrap(true);
    answer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Power (W):"), power_);
    form->addRow(tr("Pulse width (s):"), width_);
    form->addRow(tr("Period (s):"), period_);
    form->addRow(single_);
    form->addRow(answer_);
    for (QLineEdit* field : {power_, width_, period_}) {
        connect(field, &QLineEdit::textChanged, this, &PulseCalculator::Calculate);
    }
    connect(single_, &QCheckBox::toggled, this, [this](bool single) {
        period_->setEnabled(!single);
        Calculate();
    });
    Calculate();
}

void PulseCalculator::SetNetwork(std::optional<exact::FosterNetwork> network, double baseC,
                                 double power) {
    network_ = std::move(network);
    baseC_ = baseC;
    if (network_) power_->setText(Number(power));
    Calculate();
}

void PulseCalculator::Calculate() {
    answer_->setText(Answer());
}

QString PulseCalculator::Answer() const {
    if (!network_) return tr("The peak temperature needs a computed network.");
    QString problem;
    const auto power = FieldValue(*power_, tr("power"), "W", problem);
    if (!power) return problem;
    const auto width = FieldValue(*width_, tr("pulse width"), "s", problem);
    if (!width) return problem;
    std::optional<double> period;
    if (!single_->isChecked()) {
        period = FieldValue(*period_, tr("period"), "s", problem);
        if (!period) return problem;
    }
    const exact::PeakRise rise = exact::PeakTemperatureRise(*network_, *power, *width, period);
    if (!rise.Problem.empty()) return QString::fromStdString(rise.Problem);
    return tr("Peak temperature %1 \u00B0C: %2 K over the base at %3 \u00B0C.")
        .arg(Number(baseC_ + rise.RiseK), Number(rise.RiseK), Number(baseC_));
}

}  // namespace strativex
