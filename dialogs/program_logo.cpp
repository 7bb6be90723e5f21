#include "dialogs/program_logo.h"

#include <QString>

// The resources live in a static library: nothing would pull them into the program unless
// their registration is referenced, and the reference must stand outside any namespace.
static int RegisterProgramResources() {
    Q_INIT_RESOURCE(strativex);
    return 0;
}

namespace strativex {

QPixmap ProgramLogo(int side) {
    [[maybe_unused]] static const int registered = RegisterProgramResources();
    const QPixmap logo(QStringLiteral(":/strativex/logo.png"));
    return logo.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace strativex
