#pragma once

#include <QPixmap>

namespace strativex {

// The program's logo, side pixels square, with a transparent background.
QPixmap ProgramLogo(int side);

}  // namespace strativex
