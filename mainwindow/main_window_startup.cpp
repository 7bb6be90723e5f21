#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>

#include "dialogs/program_logo.h"
#include "mainwindow/analysis_launcher.h"
#include "mainwindow/file_commands.h"
#include "mainwindow/main_window.h"
#include "mainwindow/material_files.h"
#include "mainwindow/report_commands.h"
#include "platform/native_path.h"
#include "platform/seed_user_materials.h"

namespace strativex {

MainWindow::MainWindow(AppState& state, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      desktop_(desktop),
      document_(state.model, state.materials) {
    setObjectName(QStringLiteral("frmMain"));
    setAcceptDrops(true);
    BuildControls();
    analysis_ = new AnalysisLauncher(state_, desktop_, document_, form_->EditsCommitter(), *this);
    files_ = new FileCommands(state_, desktop_, document_, *form_, *this);
    reports_ = new ReportCommands(state_, desktop_, *form_, *analysis_, *this);
    materials_ = new MaterialFiles(state_, desktop_, *this);
    BuildMenus();
    Wire();
}

MainWindow::~MainWindow() = default;

bool MainWindow::Start(const QString& programFolder) {
    return Start(ProgramFoldersFor(NativePath(QDir::cleanPath(programFolder))));
}

bool MainWindow::Start(const ProgramFolders& folders) {
    state_.folders = folders;
    QDir::setCurrent(PathText(folders.ProgramFolder));

    ReportPreferencesProblem(
        LoadPreferences(state_.prefs, state_.folders, state_.folders.PreferencesPath));
    SeedUserMaterials(state_.folders, state_.prefs);
    state_.model.UnitSystem = state_.prefs.UnitSystem;
    ApplyWindowPlacement();
    files_->ShowRecentFiles();

    if (!materials_->LoadAtStartUp()) return false;
    logo_->setPixmap(ProgramLogo(logo_->height()));
    files_->SetUpNewModel();
    analysis_->RestoreSettings();
    return true;
}

// No prefs.txt at all is a first start: the defaults hold without a word, and the file is
// written on the way out. Only a file that is there and cannot be read is worth a message.
void MainWindow::ReportPreferencesProblem(const PreferencesLoadOutcome& outcome) {
    if (outcome.Ok || outcome.Absent) return;
    Message(QString::fromStdString(outcome.Message), QString::fromLatin1(kLoadPreferencesTitle),
            MessageIcon::None, MessageButtons::Ok);
}

void MainWindow::OpenModelFromPath(const QString& path) {
    files_->OpenModelFromPath(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (FileCommands::CarriesModel(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (!FileCommands::CarriesModel(event->mimeData())) return;
    event->acceptProposedAction();
    files_->OpenDropped(*event->mimeData());
}

void MainWindow::ExitProgram() {
    if (!files_->ReadyToDiscard()) return;
    ShutDown();
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shutDown_) {
        event->accept();
        return;
    }
    if (!files_->ReadyToDiscard()) {
        event->ignore();
        return;
    }
    ShutDown();
    event->accept();
}

void MainWindow::ShutDown() {
    shutDown_ = true;
    RecordPlacement();
    state_.prefs.UnitSystem = state_.model.UnitSystem;
    state_.prefs.MainWindowState = isMaximized() ? WindowState::Maximized : WindowState::Normal;
    const PreferencesSaveOutcome saved =
        SavePreferences(state_.prefs, state_.folders.PreferencesPath);
    if (!saved.Ok) {
        Message(QString::fromStdString(saved.Message), QString::fromLatin1(kSavePreferencesTitle),
                MessageIcon::None, MessageButtons::Ok);
    }
}

MessageAnswer MainWindow::Message(const QString& text, const QString& title, MessageIcon icon,
                                  MessageButtons buttons) {
    return desktop_.ShowMessage(this, text, title, icon, buttons);
}

}  // namespace strativex
