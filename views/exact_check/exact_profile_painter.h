#pragma once

#include <QRectF>

#include "views/exact_check/exact_picture_inputs.h"
#include "views/exact_check/exact_profile_geometry.h"

class QPainter;

namespace strativex {

// Lays the profile out for the target and draws it there, on any painter; layoutScale as for
// the map: painter units per layout pixel.
ProfileGeometry PaintExactProfile(QPainter& painter, const QRectF& target, double layoutScale,
                                  const ExactPictureInputs& inputs);

}  // namespace strativex
