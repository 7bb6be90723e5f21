#include <QApplication>
#include <QFont>
#include <QIcon>

#include "dialogs/program_logo.h"
#include "exact/retained_memory.h"
#include "mainwindow/main_window.h"
#include "persistence/program_folders.h"
#include "platform/command_line.h"
#include "platform/native_path.h"
#include "platform/qt_desktop.h"

namespace {

constexpr int kWindowIconSide = 256;

}  // namespace

int main(int argc, char** argv) {
    strativex::exact::RetainFreedMemory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Strativex"));
    QApplication::setWindowIcon(QIcon(strativex::ProgramLogo(kWindowIconSide)));
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);

    const std::optional<QString> model = strativex::CommandLineModel(QApplication::arguments());
    const strativex::ProgramFolders folders =
        strativex::ResolveProgramFolders(strativex::NativePath(QApplication::applicationDirPath()));
    strativex::CreateUserFolders(folders);

    strativex::AppState state;
    strativex::QtDesktop desktop;
    strativex::MainWindow window(state, desktop);
    if (!window.Start(folders)) return 1;
    window.show();
    if (model) window.OpenModelFromPath(*model);
    return QApplication::exec();
}
