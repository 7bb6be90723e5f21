#pragma once

#include <QRect>

#include <cmath>

// Window places are designed in twips; the screen has 15 twips to a pixel at 96 dpi.
namespace strativex {

constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
inline int Twips(int pixels) {
    return pixels * kTwipsPerPixel;
}
inline QRect TwipRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace strativex
