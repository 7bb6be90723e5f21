#pragma once

#include <QRect>

// Window designs and printed pages are measured in twips, 1440 to the inch; the screen shows 15
// of them to a pixel at 96 dpi.
namespace strativex {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / 96;

// To the nearest pixel, for places and sizes of the design.
constexpr int Px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Rounded up, so that a minimum size in twips is never undercut on the screen.
constexpr int Pixels(int twips) {
    return (twips + kTwipsPerPixel - 1) / kTwipsPerPixel;
}

constexpr int Twips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect TwipRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace strativex
