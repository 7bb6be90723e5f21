#pragma once

#include <QLineF>

#include <optional>
#include <vector>

#include "exact/pictures.h"

namespace strativex {

// The cross-section's temperature anywhere inside the body, interpolated linearly in x and in
// depth between the centres of the cells around the point; cells outside the body take no
// part. Nothing outside the body.
class SectionField {
public:
    explicit SectionField(const exact::CrossSection& section);

    std::optional<double> At(double x, double depth) const;

    // The segments, in the section's lengths (x, depth), along which the interpolated
    // temperature between four cell centres inside the body equals `level`.
    std::vector<QLineF> Isotherm(double level) const;

private:
    struct Span {
        int Cell = 0;  // the cell the coordinate lies in
        int Low = 0;   // the centres on either side (the same one beyond the last)
        int High = 0;
        double Share = 0.0;  // of the way from Low's centre to High's
    };
    static Span SpanOf(const std::vector<double>& faces, const std::vector<double>& centres,
                       double at);
    double Value(int i, int l) const;

    const exact::CrossSection& section_;
    std::vector<double> centreX_, centreZ_;
};

}  // namespace strativex
