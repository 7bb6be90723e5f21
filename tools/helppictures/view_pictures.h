#pragma once

#include <QImage>

#include "views/stack/view_inputs.h"

namespace strativex::helppictures {

// The views drawn into images by their own drawing code, at a resolution fit for print; each
// image states its resolution, so the help documents show it at its intended size.
QImage ScaleViewPicture(const ViewInputs& inputs);
QImage ReportPagePicture(const ReportInputs& inputs);

}  // namespace strativex::helppictures
