#include "analysis/sweep_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include <algorithm>
#include <utility>

#include "core/number_conversion.h"
#include "core/number_format.h"
#include "core/sweep_check.h"
#include "dialogs/named_widget.h"
#include "views/plot/plot_texts.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

constexpr int kDefaultSteps = 21;
// A range proposed around the model's value: half to twice it, or this much either side of
// a temperature.
constexpr float kProposedFactor = 2.0f;
constexpr float kProposedTemperatureSpan = 50.0f;

bool IsLength(QuantityId quantity) {
    return QuantityOf(quantity).Unit == UnitFamily::Length;
}

QString Text(float value) {
    return QString::fromStdString(NumberText(value));
}

// The range a new choice of quantity starts with: around the model's value, inside what the
// window accepts. A layer without a lateral limit (0) starts from the device's width.
std::pair<float, float> ProposedRange(const Model& model, QuantityId quantity, int layer) {
    const QuantityDescriptor& described = QuantityOf(quantity);
    const AcceptedRange bounds = AcceptedRangeOf(described, model.UnitSystem);
    const auto inside = [&](float value) { return std::clamp(value, bounds.Low, bounds.High); };
    const float value = described.Read(model, layer);
    if (described.Unit == UnitFamily::Angle) return {bounds.Low, bounds.High};
    if (described.Unit == UnitFamily::Temperature) {
        return {inside(value - kProposedTemperatureSpan), inside(value + kProposedTemperatureSpan)};
    }
    const float centre = value > 0.0f ? value : model.Layers[0].Width;
    return {inside(centre / kProposedFactor), inside(centre * kProposedFactor)};
}

std::optional<double> Number(const QLineEdit& edit) {
    return ParseDecimal(edit.text().trimmed().toStdString());
}

}  // namespace

SweepForm::SweepForm(const AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), shownUnit_(state.model.UnitSystem) {
    BuildControls();
    ShowModel();
    ProposeRange();
}

void SweepForm::BuildControls() {
    quantity_ = NamedWidget<QComboBox>(QStringLiteral("ComboQuantity"), this);
    for (const QuantityDescriptor& quantity : Quantities()) {
        if (!quantity.Sweepable) continue;
        quantity_->addItem(
            QString::fromUtf8(quantity.Name.data(), static_cast<qsizetype>(quantity.Name.size())),
            static_cast<int>(quantity.Id));
    }
    layer_ = NamedWidget<QComboBox>(QStringLiteral("ComboLayer"), this);
    from_ = NamedWidget<QLineEdit>(QStringLiteral("TextFrom"), this);
    to_ = NamedWidget<QLineEdit>(QStringLiteral("TextTo"), this);
    fromUnit_ = NamedWidget<QLabel>(QStringLiteral("LblFromUnit"), this);
    toUnit_ = NamedWidget<QLabel>(QStringLiteral("LblToUnit"), this);
    steps_ = NamedWidget<QSpinBox>(QStringLiteral("SpinSteps"), this);
    steps_->setRange(2, kMaxSweepPoints);
    steps_->setValue(kDefaultSteps);
    steps_->setToolTip(tr("The number of points, both ends included"));
    spacing_ = NamedWidget<QComboBox>(QStringLiteral("ComboSpacing"), this);
    spacing_->addItem(tr("Linear"), static_cast<int>(SweepSpacing::Linear));
    spacing_->addItem(tr("Logarithmic"), static_cast<int>(SweepSpacing::Logarithmic));
    materials_ = NamedWidget<QListWidget>(QStringLiteral("ListMaterials"), this);
    materials_->setToolTip(tr("Check the materials to step through, in the order listed"));

    // A label given with a layout as its field has no buddy of its own for its access key.
    const auto withUnit = [this](const QString& caption, QLineEdit* edit, QLabel* unit) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        auto* row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(unit);
        return std::pair(label, row);
    };
    rangeRows_ = new QWidget(this);
    auto* range = new QFormLayout(rangeRows_);
    range->setContentsMargins(0, 0, 0, 0);
    for (const auto& [label, row] :
         {withUnit(tr("&From:"), from_, fromUnit_), withUnit(tr("&To:"), to_, toUnit_)}) {
        range->addRow(label, row);
    }
    range->addRow(tr("S&teps:"), steps_);
    range->addRow(tr("S&pacing:"), spacing_);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("&Sweep:"), quantity_);
    form->addRow(tr("&Layer:"), layer_);
    form->addRow(rangeRows_);
    form->addRow(materials_);

    connect(quantity_, &QComboBox::activated, this, &SweepForm::QuantityPicked);
    connect(layer_, &QComboBox::activated, this, &SweepForm::ProposeRange);
    QuantityPicked();
}

void SweepForm::ShowModel() {
    FillLayers();
    FillMaterials();
    const bool unitChanged = state_.model.UnitSystem != shownUnit_;
    shownUnit_ = state_.model.UnitSystem;
    if (unitChanged && IsLength(Quantity())) ProposeRange();
    ShowUnits();
}

// The layer chosen stays chosen while the model has it; otherwise the last layer is.
void SweepForm::FillLayers() {
    const int chosen = Layer();
    layer_->clear();
    for (int i = 1; i <= state_.model.LayerCount; ++i) {
        const strativex::Layer& layer = state_.model.Layers[static_cast<std::size_t>(i)];
        const QString description = FromModelText(layer.Description);
        layer_->addItem(description.isEmpty() ? tr("Layer %1").arg(i)
                                              : tr("Layer %1: %2").arg(i).arg(description),
                        i);
    }
    if (layer_->count() > 0) layer_->setCurrentIndex(std::clamp(chosen, 1, layer_->count()) - 1);
}

// The materials checked stay checked while the table holds them.
void SweepForm::FillMaterials() {
    std::vector<int> checked;
    for (int row = 0; row < materials_->count(); ++row) {
        const QListWidgetItem* item = materials_->item(row);
        if (item->checkState() == Qt::Checked) checked.push_back(item->data(Qt::UserRole).toInt());
    }
    materials_->clear();
    for (const MaterialListEntry& entry : MaterialListEntries(state_.materials)) {
        auto* item = new QListWidgetItem(FromModelText(entry.Name), materials_);
        item->setData(Qt::UserRole, entry.Id);
        const bool wasChecked =
            std::find(checked.begin(), checked.end(), entry.Id) != checked.end();
        item->setCheckState(wasChecked ? Qt::Checked : Qt::Unchecked);
    }
}

void SweepForm::QuantityPicked() {
    const QuantityId quantity = Quantity();
    const bool material = quantity == QuantityId::Material;
    layer_->setEnabled(IsLayerQuantity(quantity));
    rangeRows_->setVisible(!material);
    materials_->setVisible(material);
    if (!material) ProposeRange();
    ShowUnits();
}

void SweepForm::ProposeRange() {
    const QuantityId quantity = Quantity();
    if (quantity == QuantityId::Material) return;
    const int layer = IsLayerQuantity(quantity) ? Layer() : 0;
    if (IsLayerQuantity(quantity) && layer < 1) return;
    const auto [from, to] = ProposedRange(state_.model, quantity, layer);
    from_->setText(Text(from));
    to_->setText(Text(to));
}

void SweepForm::ShowUnits() {
    const QString unit = SweptUnit(Quantity(), state_.model.UnitSystem);
    fromUnit_->setText(unit);
    toUnit_->setText(unit);
}

QuantityId SweepForm::Quantity() const {
    return static_cast<QuantityId>(quantity_->currentData().toInt());
}

int SweepForm::Layer() const {
    return layer_->currentIndex() < 0 ? 0 : layer_->currentData().toInt();
}

TypedSweep SweepForm::Typed() const {
    SweepRequest request;
    request.Quantity = Quantity();
    request.Layer = IsLayerQuantity(request.Quantity) ? Layer() : 0;
    if (IsLayerQuantity(request.Quantity) && request.Layer < 1) {
        return {std::nullopt, tr("The model has no layer to sweep.")};
    }
    if (request.Quantity == QuantityId::Material) {
        for (int row = 0; row < materials_->count(); ++row) {
            const QListWidgetItem* item = materials_->item(row);
            if (item->checkState() != Qt::Checked) continue;
            request.MaterialIds.push_back(
                static_cast<std::int16_t>(item->data(Qt::UserRole).toInt()));
        }
        return {request, {}};
    }
    const auto from = Number(*from_);
    const auto to = Number(*to_);
    if (!from) return {std::nullopt, tr("From: \"%1\" is not a number.").arg(from_->text())};
    if (!to) return {std::nullopt, tr("To: \"%1\" is not a number.").arg(to_->text())};
    request.From = *from;
    request.To = *to;
    request.PointCount = steps_->value();
    request.Spacing = static_cast<SweepSpacing>(spacing_->currentData().toInt());
    return {request, {}};
}

}  // namespace strativex
