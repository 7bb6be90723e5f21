#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "mainwindow/main_window.h"
#include "persistence/preferences.h"
#include "platform/desktop.h"

namespace {

using namespace strativex;

// Answers nothing: the start-up under measurement finds its preferences and materials.
class SilentDesktop : public Desktop {
public:
    MessageAnswer ShowMessage(QWidget*, const QString&, const QString&, MessageIcon,
                              MessageButtons) override {
        return MessageAnswer::Ok;
    }
    std::optional<QString> ChooseFile(QWidget*, const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget*) override { return nullptr; }
    bool OpenDocument(const QString&) override { return false; }
    void EndProgram(int) override {}
};

// A program folder with the shipped materials and a prefs.txt, as after the first run.
struct ProgramFolder {
    QTemporaryDir dir;
    ProgramFolder() {
        QDir().mkpath(dir.filePath("Materials"));
        QFile::copy(QStringLiteral(STRATIVEX_BIN_DIR "/Materials/matprops.dat"),
                    dir.filePath("Materials/matprops.dat"));
        Preferences prefs;
        prefs.MaterialsFolder = dir.filePath("Materials").toStdString();
        SavePreferences(prefs, dir.filePath("prefs.txt").toStdString());
    }
};

// One start of either window, from process launch to its first painted frame: grab()
// renders the window as the screen would, then the process ends.
int ProbeMainWindow(const QString& folder) {
    AppState app;
    SilentDesktop desktop;
    MainWindow window(app, desktop);
    if (!window.Start(folder)) return 1;
    window.show();
    return window.grab().isNull() ? 1 : 0;
}

int ProbeBareWindow() {
    QMainWindow window;
    window.resize(733, 500);
    for (const char* title : {"&File", "&Materials", "&Preferences", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 0; i < 6; ++i) menu->addAction(QStringLiteral("Entry %1").arg(i));
    }
    window.show();
    return window.grab().isNull() ? 1 : 0;
}

void Launch(benchmark::State& state, const QStringList& arguments) {
    for (auto _ : state) {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), arguments);
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
            state.SkipWithError("the probe did not start cleanly");
            return;
        }
    }
}

void BM_LaunchMainWindow(benchmark::State& state) {
    ProgramFolder folder;
    Launch(state, {QStringLiteral("--probe-main"), folder.dir.path()});
}
BENCHMARK(BM_LaunchMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LaunchBareMainWindow(benchmark::State& state) {
    Launch(state, {QStringLiteral("--probe-bare")});
}
BENCHMARK(BM_LaunchBareMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.value(1) == QLatin1String("--probe-main"))
        return ProbeMainWindow(arguments.value(2));
    if (arguments.value(1) == QLatin1String("--probe-bare")) return ProbeBareWindow();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
