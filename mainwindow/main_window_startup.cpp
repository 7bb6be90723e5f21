#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "dialogs/file_locations_dialog.h"
#include "dialogs/program_logo.h"
#include "mainwindow/analysis_launcher.h"
#include "mainwindow/layer_editor.h"
#include "mainwindow/main_window.h"
#include "platform/native_path.h"
#include "platform/seed_user_materials.h"
#include "views/report/today_date.h"

namespace strativex {

MainWindow::MainWindow(AppState& state, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      desktop_(desktop),
      document_(state.model, state.materials) {
    setObjectName(QStringLiteral("frmMain"));
    setAcceptDrops(true);
    BuildControls();
    layers_ = new LayerEditor(document_, state_.prefs.Defaults, EditsCommitter(),
                              {addLayerButton_, copyLayerButton_, deleteLayerButton_, moveUpButton_,
                               moveDownButton_, moveLayerLabel_},
                              this);
    analysis_ = new AnalysisLauncher(state_, desktop_, document_, EditsCommitter(), *this);
    BuildMenus();
    Wire();
}

MainWindow::~MainWindow() = default;

bool MainWindow::Start(const QString& programFolder) {
    return Start(ProgramFoldersFor(NativePath(QDir::cleanPath(programFolder))));
}

bool MainWindow::Start(const ProgramFolders& folders) {
    isothermUnitLabel_->setText(QStringLiteral("\u00B0C"));
    state_.folders = folders;
    QDir::setCurrent(PathText(folders.ProgramFolder));

    ReportPreferencesProblem(
        LoadPreferences(state_.prefs, state_.folders, state_.folders.PreferencesPath));
    SeedUserMaterials(state_.folders, state_.prefs);
    state_.model.UnitSystem = state_.prefs.UnitSystem;
    ApplyWindowPlacement();
    RefreshRecentMenu();

    if (!LoadMaterialsAtStartUp()) return false;
    logo_->setPixmap(ProgramLogo(logo_->height()));
    SetUpNewModel();
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

bool MainWindow::LoadMaterialsAtStartUp() {
    for (;;) {
        state_.materialPaths = MaterialPathsIn(state_.prefs.MaterialsFolder);
        switch (ReloadMaterials(kStartupCustomLimit)) {
            case MaterialReload::Loaded:
                return true;
            case MaterialReload::Ended:
                return false;
            case MaterialReload::LookedElsewhere:
                break;
        }
    }
}

MainWindow::MaterialReload MainWindow::ReloadMaterials(std::optional<int> customLimit) {
    const MaterialLoadOutcome outcome =
        LoadMaterials(state_.materials, state_.materialPaths, customLimit);
    FillMaterialList();
    switch (outcome.Result) {
        case MaterialLoadOutcome::Kind::Loaded:
            ReportCustomFileProblem(outcome.CustomFileProblem);
            ReportSkippedCustomLines(outcome.SkippedCustomLines);
            return MaterialReload::Loaded;
        case MaterialLoadOutcome::Kind::Fatal:
            Message(QString::fromStdString(outcome.FatalText),
                    QString::fromLatin1(kMaterialsErrorTitle), MessageIcon::Critical,
                    MessageButtons::Ok);
            desktop_.EndProgram(1);
            return MaterialReload::Ended;
        case MaterialLoadOutcome::Kind::StandardFileMissing:
            break;
    }
    const MessageAnswer answer = Message(
        QString::fromStdString(StandardFileMissingText(state_.materialPaths.Standard)),
        QString::fromLatin1(kMaterialsErrorTitle), MessageIcon::None, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) {
        desktop_.EndProgram(1);
        return MaterialReload::Ended;
    }
    FileLocationsDialog locations(state_, desktop_, this);
    locations.exec();
    return MaterialReload::LookedElsewhere;
}

// A custom materials file that is there but cannot be read adds no materials; the user is
// told, since the models that use them then lose them.
void MainWindow::ReportCustomFileProblem(const std::string& problem) {
    if (problem.empty()) return;
    Message(
        PathText(state_.materialPaths.Custom) + QStringLiteral("\r\n") +
            tr("The custom materials could not be read: %1.").arg(QString::fromStdString(problem)),
        QString::fromLatin1(kMaterialsErrorTitle), MessageIcon::Exclamation, MessageButtons::Ok);
}

// Each line of the custom file left out is named once, at the load, so the user can mend it in
// the file or the editor before a model misses the material.
void MainWindow::ReportSkippedCustomLines(const std::vector<SkippedCustomLine>& skipped) {
    if (skipped.empty()) return;
    QString text = PathText(state_.materialPaths.Custom) + QStringLiteral("\r\n") +
                   tr("These lines hold no custom material the program can use and were skipped:");
    for (const SkippedCustomLine& line : skipped) {
        text += QStringLiteral("\r\n") + QString::fromStdString(SkippedLineText(line));
    }
    Message(text, QString::fromLatin1(kMaterialsErrorTitle), MessageIcon::Exclamation,
            MessageButtons::Ok);
}

void MainWindow::SetUpNewModel() {
    ResetToNewModel(state_.model, state_.prefs.Defaults);
    ShowUnitLabels();
    if (state_.prefs.UseCurrentDate) {
        state_.prefs.UserInfoText[kUserInfoDateSlot] = TodayModelText();
    }
    deviceOnlyFrame_->move(recordFrame_->pos() + layerOnlyFrame_->pos());
    deviceOnlyFrame_->raise();
    UpdateCaption();
    modelNameEdit_->setModified(false);
    document_.Restart();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shutDown_) {
        event->accept();
        return;
    }
    if (!ReadyToDiscard()) {
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

}  // namespace strativex
