#include "views/exact_check/exact_section_field.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace strativex {
namespace {

std::vector<double> Centres(const std::vector<double>& faces) {
    std::vector<double> centres;
    for (std::size_t f = 0; f + 1 < faces.size(); ++f) {
        centres.push_back(0.5 * (faces[f] + faces[f + 1]));
    }
    return centres;
}

struct Corner {
    QPointF At;
    double Value;
};

QPointF Crossing(const Corner& a, const Corner& b, double level) {
    const double share = (level - a.Value) / (b.Value - a.Value);
    return a.At + share * (b.At - a.At);
}

// One square of four centres, corners counter-clockwise from (i, l).
void AddSquare(const std::array<Corner, 4>& c, double level, std::vector<QLineF>& segments) {
    std::array<bool, 4> above{};
    for (std::size_t k = 0; k < 4; ++k) above[k] = c[k].Value >= level;
    std::vector<QPointF> cuts;  // on edges 0-1, 1-2, 2-3, 3-0, in that order
    std::array<int, 4> edgeOfCut{};
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t next = (k + 1) % 4;
        if (above[k] == above[next]) continue;
        edgeOfCut[cuts.size()] = static_cast<int>(k);
        cuts.push_back(Crossing(c[k], c[next], level));
    }
    if (cuts.size() == 2) {
        segments.emplace_back(cuts[0], cuts[1]);
        return;
    }
    if (cuts.size() != 4) return;
    // A saddle: the mean of the corners decides which pair of opposite corners the warmer
    // or cooler region joins through the middle.
    const double middle = (c[0].Value + c[1].Value + c[2].Value + c[3].Value) / 4.0;
    if ((middle >= level) == above[0]) {
        segments.emplace_back(cuts[0], cuts[1]);
        segments.emplace_back(cuts[2], cuts[3]);
    } else {
        segments.emplace_back(cuts[3], cuts[0]);
        segments.emplace_back(cuts[1], cuts[2]);
    }
}

}  // namespace

SectionField::SectionField(const exact::CrossSection& section)
    : section_(section), centreX_(Centres(section.X)), centreZ_(Centres(section.Z)) {}

SectionField::Span SectionField::SpanOf(const std::vector<double>& faces,
                                        const std::vector<double>& centres, double at) {
    const int count = static_cast<int>(centres.size());
    Span span;
    span.Cell = std::clamp(
        static_cast<int>(std::upper_bound(faces.begin(), faces.end(), at) - faces.begin()) - 1, 0,
        count - 1);
    const int above =
        static_cast<int>(std::upper_bound(centres.begin(), centres.end(), at) - centres.begin());
    span.Low = std::clamp(above - 1, 0, count - 1);
    span.High = std::clamp(above, 0, count - 1);
    if (span.High != span.Low) {
        span.Share = (at - centres[static_cast<std::size_t>(span.Low)]) /
                     (centres[static_cast<std::size_t>(span.High)] -
                      centres[static_cast<std::size_t>(span.Low)]);
    }
    return span;
}

double SectionField::Value(int i, int l) const {
    return section_
        .TempC[static_cast<std::size_t>(l) * centreX_.size() + static_cast<std::size_t>(i)];
}

std::optional<double> SectionField::At(double x, double depth) const {
    if (centreX_.empty() || centreZ_.empty() || x < section_.X.front() || x > section_.X.back() ||
        depth < section_.Z.front() || depth > section_.Z.back()) {
        return std::nullopt;
    }
    const Span sx = SpanOf(section_.X, centreX_, x);
    const Span sz = SpanOf(section_.Z, centreZ_, depth);
    if (std::isnan(Value(sx.Cell, sz.Cell))) return std::nullopt;
    double sum = 0.0;
    double weights = 0.0;
    for (const auto& [i, wx] : {std::pair(sx.Low, 1.0 - sx.Share), std::pair(sx.High, sx.Share)}) {
        for (const auto& [l, wz] :
             {std::pair(sz.Low, 1.0 - sz.Share), std::pair(sz.High, sz.Share)}) {
            const double value = Value(i, l);
            if (std::isnan(value) || wx * wz <= 0.0) continue;
            sum += wx * wz * value;
            weights += wx * wz;
        }
    }
    return weights > 0.0 ? sum / weights : Value(sx.Cell, sz.Cell);
}

std::vector<QLineF> SectionField::Isotherm(double level) const {
    std::vector<QLineF> segments;
    const int columns = static_cast<int>(centreX_.size());
    const int rows = static_cast<int>(centreZ_.size());
    for (int l = 0; l + 1 < rows; ++l) {
        for (int i = 0; i + 1 < columns; ++i) {
            const std::array<std::pair<int, int>, 4> at{
                {{i, l}, {i + 1, l}, {i + 1, l + 1}, {i, l + 1}}};
            std::array<Corner, 4> corners{};
            bool inside = true;
            for (std::size_t k = 0; k < 4 && inside; ++k) {
                const auto [ci, cl] = at[k];
                corners[k] = {QPointF(centreX_[static_cast<std::size_t>(ci)],
                                      centreZ_[static_cast<std::size_t>(cl)]),
                              Value(ci, cl)};
                inside = !std::isnan(corners[k].Value);
            }
            if (inside) AddSquare(corners, level, segments);
        }
    }
    return segments;
}

}  // namespace strativex
