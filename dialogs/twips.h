#pragma once

namespace strativex {

// Window designs are measured in twips; the screen shows 15 of them to a pixel.
inline constexpr int kTwipsPerPixel = 15;

// Rounds up, so that a minimum size in twips is never undercut on the screen.
constexpr int Pixels(int twips) {
    return (twips + kTwipsPerPixel - 1) / kTwipsPerPixel;
}

constexpr int Twips(int pixels) {
    return pixels * kTwipsPerPixel;
}

}  // namespace strativex
