#include "analysis/source_array_editor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>

#include <cmath>

namespace strativex {
namespace {

constexpr int kCountWidth = 60;
constexpr int kPitchWidth = 80;

QSpinBox* CountBox(const char* name) {
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(1, exact::kMaxSourcesPerAxis);
    box->setFixedWidth(kCountWidth);
    return box;
}

QLineEdit* PitchField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setFixedWidth(kPitchWidth);
    return field;
}

// Typed the user's way or the C way, like the base value.
std::optional<double> LengthIn(const QString& text) {
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok) value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value <= 0.0) return std::nullopt;
    return value;
}

}  // namespace

SourceArrayEditor::SourceArrayEditor(QWidget* parent) : QWidget(parent) {
    countX_ = CountBox("SpnSourcesX");
    countY_ = CountBox("SpnSourcesY");
    pitchX_ = PitchField("TxtPitchX");
    pitchY_ = PitchField("TxtPitchY");
    unit_ = new QLabel;
    unit_->setObjectName(QStringLiteral("LblPitchUnit"));
    unit_->setWordWrap(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Heat sources:")));
    layout->addWidget(countX_);
    layout->addWidget(new QLabel(QStringLiteral("\u00D7")));
    layout->addWidget(countY_);
    layout->addWidget(new QLabel(tr("at pitch")));
    layout->addWidget(pitchX_);
    layout->addWidget(new QLabel(QStringLiteral("\u00D7")));
    layout->addWidget(pitchY_);
    layout->addWidget(unit_, 1);
    for (QSpinBox* count : {countX_, countY_}) {
        connect(count, &QSpinBox::valueChanged, this, [this] {
            ShowChoice();
            emit changed();
        });
    }
    for (QLineEdit* pitch : {pitchX_, pitchY_}) {
        connect(pitch, &QLineEdit::textEdited, this, &SourceArrayEditor::changed);
    }
    ShowChoice();
}

// A pitch means something only along an axis with more than one source.
void SourceArrayEditor::ShowChoice() {
    pitchX_->setEnabled(countX_->value() > 1);
    pitchY_->setEnabled(countY_->value() > 1);
}

void SourceArrayEditor::ShowUnit(LengthUnit unit) {
    unit_->setText(tr("%1 centre to centre, sharing the power")
                       .arg(QString::fromLatin1(UnitLabel(unit).data())));
}

std::optional<exact::SourceArray> SourceArrayEditor::Read(QString& error) const {
    exact::SourceArray array{countX_->value(), countY_->value(), 0.0, 0.0};
    error.clear();
    const struct {
        int Count;
        QLineEdit* Field;
        double& Pitch;
        QString Along;
    } axes[] = {{array.CountX, pitchX_, array.PitchX, tr("width")},
                {array.CountY, pitchY_, array.PitchY, tr("length")}};
    for (const auto& axis : axes) {
        if (axis.Count == 1) continue;
        const auto pitch = LengthIn(axis.Field->text());
        if (!pitch) {
            error = tr("The pitch along the %1 must be a positive length, not \u201C%2\u201D.")
                        .arg(axis.Along, axis.Field->text().trimmed());
            return std::nullopt;
        }
        axis.Pitch = *pitch;
    }
    return array;
}

}  // namespace strativex
