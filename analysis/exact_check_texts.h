#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "core/model.h"
#include "core/number_format.h"
#include "exact/exact_result.h"

namespace strativex {

// One line of the window's numbers: its caption, its value, and the object name of the label
// that shows the value.
struct ExactNumberRow {
    QString Name;
    QString Caption;
    QString Value;
};

// The captions alone, in their order: the window builds its labels from them before any result
// exists.
std::vector<ExactNumberRow> ExactNumberCaptions();
// The numbers of a result with Status Ok: source temperatures with their estimated errors,
// resistances, the estimate and its error, the equivalent angle, the discretisation error, and
// the grid's size and work. Temperatures and resistances take the user's digits.
std::vector<ExactNumberRow> ExactNumberRows(const exact::ExactResult& result,
                                            const DecimalDigitsTable& digits);

// With an array, one row per source: its centre, average, the average's error and peak; the
// hottest source's average is marked with "*". No rows for a single source.
QStringList ExactSourceHeadings(LengthUnit unit);
std::vector<QStringList> ExactSourceRows(const exact::ExactResult& result,
                                         const DecimalDigitsTable& digits);

QStringList ExactLayerHeadings();
// One row per layer of the model the result was computed for: the layer and its description,
// the 3-D top temperature, its estimated error, the estimate's top temperature and how far its
// rise above the base lies from the 3-D one, in %.
std::vector<QStringList> ExactLayerRows(const exact::ExactResult& result, const Model& model,
                                        const DecimalDigitsTable& digits);

// The line above the copied and saved pictures: the model and the main numbers.
QString ExactPictureCaption(const exact::ExactResult& result, const Model& model,
                            const DecimalDigitsTable& digits);

}  // namespace strativex
