#pragma once

#include "core/model.h"
#include "core/number_format.h"
#include "exact/exact_result.h"

namespace strativex {

// How much of the cross-section the map shows: the whole of it, or the part the heat spreads
// into at 45 degrees from the heat source, where an unlimited layer's far reaches are a flat
// colour.
enum class SectionExtent { AroundSource, Whole };

// What the 3-D check's pictures read; they change none of it.
struct ExactPictureInputs {
    const exact::ExactResult& result;  // a result with Status Ok
    LengthUnit unit;                   // of the model the result was computed for
    SectionExtent extent = SectionExtent::AroundSource;
    DecimalDigitsTable digits = kDefaultDecimalDigits;  // of the temperatures quoted
};

}  // namespace strativex
