#include <QApplication>
#include <QFont>
#include <QStringList>

#include "tools/helppictures/helppictures_command.h"

int main(int argc, char* argv[]) {
    // A build step has no display; the main window is drawn off screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The program's own font, so that the window looks as it does on a desktop.
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    return strativex::helppictures::RunHelpPictures(args);
}
