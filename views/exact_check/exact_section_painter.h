#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

#include "views/exact_check/exact_picture_inputs.h"
#include "views/exact_check/exact_section_geometry.h"

class QPainter;

namespace strativex {

// The section's temperatures over the region the map shows, as colours of the map's scale,
// `pixels` in size; transparent outside the body.
QImage SectionColours(const exact::CrossSection& section, const SectionGeometry& geometry,
                      QSize pixels);

// Lays the map out for the target and draws it there, on any painter: a widget, an image, a
// PDF or printer page. layoutScale is painter units per layout pixel: 1 on a widget or an
// image, the resolution over 96 on a page.
SectionGeometry PaintExactSection(QPainter& painter, const QRectF& target, double layoutScale,
                                  const ExactPictureInputs& inputs);

}  // namespace strativex
