#pragma once

#include <QRect>

// Window designs are measured in twips; the screen shows 15 of them to a pixel at 96 dpi.
namespace strativex {

inline constexpr int kTwipsPerPixel = 15;

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
