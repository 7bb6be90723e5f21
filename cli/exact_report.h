#pragma once

#include <string>

#include "core/model.h"
#include "exact/exact_result.h"

namespace strativex {

// The value of a model's "exact" member: the check's values, then "layers", one object per
// layer with its index and the check's values for it.
std::string ExactJson(const exact::ExactResult& result, int layerCount, int indent);

// The columns the CSV report adds with the check, and their fields on the line of layer
// `index`, each after a comma: the model's values repeat on every line of the model.
std::string ExactCsvHeader();
std::string ExactCsvFields(const exact::ExactResult& result, int index);

// The table report's lines under a model's summary, numbers with the default digits.
std::string ExactTableLines(const exact::ExactResult& result, const Model& model);

}  // namespace strativex
