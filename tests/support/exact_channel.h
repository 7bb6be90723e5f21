#pragma once

#include <QMetaType>

#include <cmath>
#include <utility>
#include <vector>

#include "core/model.h"
#include "support/exact_stacks.h"
#include "support/flux_channel_series.h"

// Conductivity laws (A, B) and layers, as columns of the 3-D check's data-driven tests.
using Laws = std::vector<std::pair<float, float>>;
using Layers = std::vector<exact_stacks::StackLayer>;
Q_DECLARE_METATYPE(Laws)
Q_DECLARE_METATYPE(Layers)

// Every layer as wide and long as the channel, so that the series is the exact answer.
inline Layers ChannelSized(Layers layers, float width, float length) {
    for (exact_stacks::StackLayer& layer : layers) {
        layer.Width = width;
        layer.Length = length;
    }
    return layers;
}

// The flux channel of a model whose layers all have the channel's size, at the conductivities
// the table gives at the base temperature, the base behind the impedance 1 / h (cm2-K/W).
inline flux_channel::Channel ChannelOf(const strativex::Model& model,
                                       const strativex::MaterialTable& table,
                                       double baseImpedance = 0.0) {
    const double baseK = model.IsothermalTemp + strativex::kKelvinOffset;
    flux_channel::Channel channel{model.Layers[1].Width / 10.0,
                                  model.Layers[1].Length / 10.0,
                                  model.Layers[0].Width / 10.0,
                                  model.Layers[0].Length / 10.0,
                                  model.PowerDissipation,
                                  {},
                                  baseImpedance};
    for (int i = 1; i <= model.LayerCount; ++i) {
        const strativex::Material& material = table.Materials[model.Layers[i].MaterialId];
        channel.Layers.push_back({model.Layers[i].Thickness / 10.0,
                                  material.A * std::pow(baseK, static_cast<double>(material.B))});
    }
    return channel;
}
