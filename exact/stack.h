#pragma once

#include <cmath>
#include <limits>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"
#include "exact/base_condition.h"
#include "exact/source_array.h"

namespace strativex::exact {

using strativex::kKelvinOffset;
constexpr double kUnlimited = std::numeric_limits<double>::infinity();

// One layer of the stack in centimetres; a half-size of kUnlimited has no lateral limit.
struct StackLayer {
    double Thickness = 0.0;
    double HalfWidth = kUnlimited;
    double HalfLength = kUnlimited;
    double A = 0.0;  // K = A * T^B, W/cm-K with T in kelvin
    double B = 0.0;

    double Conductivity(double temperatureK) const { return A * std::pow(temperatureK, B); }
};

// The model as the conduction problem sees it: centimetres, kelvin, watts.
struct Stack {
    double SourceHalfWidth = 0.0;
    double SourceHalfLength = 0.0;
    // Every source's centre along each axis, symmetric about the stack's centre.
    std::vector<double> SourceCentreX{0.0};
    std::vector<double> SourceCentreY{0.0};
    double Power = 0.0;  // of all sources together
    double BaseTempK = 0.0;
    double CmPerUnit = 1.0;          // centimetres in one length unit of the model
    std::vector<StackLayer> Layers;  // from the layer under the source down to the base
    // From the bottom face to BaseTempK, W/cm2-K; infinite holds the face at BaseTempK.
    double BaseHeatTransfer = kUnlimited;

    bool HasIsothermalBase() const { return std::isinf(BaseHeatTransfer); }
    // The area of the bottom layer, cm2; infinite where it has no lateral limit.
    double BottomArea() const;
};

// Expects a model that FindUnavailability accepted with the same base and sources.
Stack StackOf(const Model& model, const MaterialTable& table, const BaseCondition& base = {},
              const SourceArray& sources = {});

}  // namespace strativex::exact
