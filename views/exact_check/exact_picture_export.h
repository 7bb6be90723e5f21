#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "views/exact_check/exact_picture_inputs.h"

namespace strativex {

// The map above the profile, a caption line above both when one is given: the picture the
// window copies and saves. Size in layout pixels; a device pixel ratio of 2 gives a sharp copy
// for a dense screen at the same layout.
QImage ExactCheckImage(const ExactPictureInputs& inputs, const QString& caption, QSize size,
                       qreal devicePixelRatio = 1.0);

}  // namespace strativex
