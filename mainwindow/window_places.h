#pragma once

#include <QRect>

#include <string_view>

namespace strativex {

// Where a control of the main window stands within its parent, in pixels, by its object name
// ("TextThickness"; "OptLayer" for any layer option, at the top of its column): the window's
// design as one table of named rectangles (window_places.cpp). An empty rectangle for a name
// the table lacks. The controls that follow the window's size start here and are resized by
// ComputeWindowLayout.
QRect DesignPlace(std::string_view name);

}  // namespace strativex
