#pragma once

#include <QFont>

#include <string_view>

namespace strativex {

inline constexpr std::string_view kSansFontName = "MS Sans Serif";
inline constexpr std::string_view kSmallFontName = "Small Fonts";
inline constexpr std::string_view kLogoFontName = "Bauhaus 93";

// The drawings name the fonts of their original desktop; here every one of them is the
// desktop's sans-serif at the given size, and the logo face, which few desktops have, a bold
// italic sans. Letters are never joined into ligatures.
QFont ViewFont(std::string_view name, double points, bool bold, bool italic);

}  // namespace strativex
