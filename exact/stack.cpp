#include "exact/stack.h"

#include "core/units.h"

namespace strativex::exact {
namespace {

double HalfSize(float size, double cmPerUnit) {
    return size > 0.0f ? 0.5 * size * cmPerUnit : kUnlimited;
}

std::vector<double> CentresInCm(int count, double pitch, double cmPerUnit) {
    std::vector<double> centres = SourceCentres(count, pitch);
    for (double& centre : centres) centre *= cmPerUnit;
    return centres;
}

}  // namespace

Stack StackOf(const Model& model, const MaterialTable& table, const BaseCondition& base,
              const SourceArray& sources) {
    Stack stack;
    stack.CmPerUnit = model.UnitSystem == LengthUnit::Inches ? kCmPerInch : kCmPerMillimetre;
    stack.SourceHalfWidth = 0.5 * model.Layers[0].Width * stack.CmPerUnit;
    stack.SourceHalfLength = 0.5 * model.Layers[0].Length * stack.CmPerUnit;
    stack.SourceCentreX = CentresInCm(sources.CountX, sources.PitchX, stack.CmPerUnit);
    stack.SourceCentreY = CentresInCm(sources.CountY, sources.PitchY, stack.CmPerUnit);
    stack.Power = model.PowerDissipation;
    stack.BaseTempK = static_cast<double>(model.IsothermalTemp) + kKelvinOffset;
    for (int i = 1; i <= model.LayerCount; ++i) {
        const Layer& layer = model.Layers[i];
        const Material& material = table.Materials[FindMaterialIndex(table, layer.MaterialId)];
        stack.Layers.push_back({layer.Thickness * stack.CmPerUnit,
                                HalfSize(layer.Width, stack.CmPerUnit),
                                HalfSize(layer.Length, stack.CmPerUnit), material.A, material.B});
    }
    stack.BaseHeatTransfer = BaseHeatTransfer(base, stack.BottomArea());
    return stack;
}

double Stack::BottomArea() const {
    return 4.0 * Layers.back().HalfWidth * Layers.back().HalfLength;
}

}  // namespace strativex::exact
