#include "views/report/program_version.h"

namespace strativex {

QString ProgramVersionText() {
    return QStringLiteral(STRATIVEX_VERSION);
}

}  // namespace strativex
