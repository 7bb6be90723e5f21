#include <QApplication>
#include <QFont>

#include "mainwindow/frm_main.h"
#include "platform/qt_desktop.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Strativex"));
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);

    strativex::AppState state;
    strativex::QtDesktop desktop;
    strativex::frmMain window(state, desktop);
    if (!window.Form_Load(QApplication::applicationDirPath())) return 1;
    window.show();
    return QApplication::exec();
}
