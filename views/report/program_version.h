#pragma once

#include <QString>

namespace strativex {

// major.minor.revision of this build, as a report names it.
QString ProgramVersionText();

}  // namespace strativex
