#pragma once

#include "views/report/report_details_texts.h"
#include "views/report/transient_summary.h"
#include "views/surface/drawing_surface.h"

// The details page's section on the transient: what the networks were fitted to, their table
// and the thermal impedance curve beside it.
namespace strativex {

// Zth(∞), the base and the fit's error.
LabelledValues TransientLines(const TransientSummary& summary);
// Stage by stage, the Foster network beside the Cauer ladder, junction first.
PageTableTexts TransientNetworkTable(const TransientSummary& summary);

// The table on the left and the curve on the right, from top down to no lower than bottom, in
// the surface's current font. Returns the y below both.
double DrawTransientNetworks(DrawingSurface& surface, const TransientSummary& summary, double left,
                             double width, double top, double bottom);

}  // namespace strativex
