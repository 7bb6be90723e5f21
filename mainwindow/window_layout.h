#pragma once

namespace strativex {

// The main window's layout on a resize, in twips, computed apart from the widgets so that it can
// be checked without a window system. Sizes are the window's outer size, frame included.
inline constexpr int kMinimumWindowWidth = 9550;
inline constexpr int kMinimumWindowHeight = 6900;
inline constexpr int kRightMargin = 250;
inline constexpr int kBottomMargin = 800;

struct WindowLayoutInput {
    int OuterWidth = 0;
    int OuterHeight = 0;
    int TableLeft = 0;  // client coordinates of the controls that follow the size
    int TableTop = 0;
    int ScaleTop = 0;
    int LogoWidth = 0;
};

struct WindowLayout {
    int TableWidth = 0;
    int TableHeight = 0;
    int ScaleHeight = 0;
    int LogoLeft = 0;
    int TitleWidth = 0;
    int TitlePointSize = 0;
};

WindowLayout ComputeWindowLayout(const WindowLayoutInput& in);

}  // namespace strativex
