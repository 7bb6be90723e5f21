#include <QGuiApplication>
#include <QStringList>

#include "tools/helpdocs/helpdocs_command.h"

int main(int argc, char* argv[]) {
    // A build step has no display to talk to; the layout needs fonts, not a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments();
    args.removeFirst();
    return strativex::helpdocs::RunHelpdocs(args);
}
