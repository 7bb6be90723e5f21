#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include "core/thermal_calc.h"
#include "dialogs/file_locations_dialog.h"
#include "dialogs/program_logo.h"
#include "mainwindow/main_window.h"
#include "platform/model_text.h"
#include "platform/seed_user_materials.h"
#include "platform/twips.h"
#include "views/today_date.h"

namespace strativex {

MainWindow::MainWindow(AppState& state, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), state_(state), desktop_(desktop) {
    setObjectName(QStringLiteral("frmMain"));
    BuildControls();
    BuildMenus();
    ConnectControls();
    ConnectDialogs();
    ConnectReport();
}

MainWindow::~MainWindow() = default;

bool MainWindow::Start(const QString& programFolder) {
    return Start(ProgramFoldersFor(NativePath(QDir::cleanPath(programFolder))));
}

bool MainWindow::Start(const ProgramFolders& folders) {
    state_.model.SuspendUpdates = false;
    LabelIsothermUnit->setText(QStringLiteral("\u00B0C"));
    state_.folders = folders;
    QDir::setCurrent(PathText(folders.ProgramFolder));

    const PreferencesLoadOutcome prefs =
        LoadPreferences(state_.prefs, state_.folders, state_.folders.PreferencesPath);
    if (!prefs.Ok) {
        Message(QString::fromStdString(prefs.Message), QString::fromLatin1(kLoadPreferencesTitle),
                MessageIcon::None, MessageButtons::Ok);
    }
    SeedUserMaterials(state_.folders, state_.prefs);
    state_.model.UnitSystem = state_.prefs.UnitSystem;
    ApplyWindowPlacement();
    RefreshRecentMenu();

    if (!LoadMaterialsAtStartUp()) return false;
    PicLogo->setPixmap(ProgramLogo(PicLogo->height()));
    SetUpNewModel();
    return true;
}

void MainWindow::ApplyWindowPlacement() {
    const Preferences& prefs = state_.prefs;
    state_.model.SuspendUpdates = true;
    move(Px(prefs.MainWindowLeft), Px(prefs.MainWindowTop));
    resize(Px(prefs.MainWindowWidth), Px(prefs.MainWindowHeight));
    state_.model.SuspendUpdates = false;
    if (prefs.MainWindowState == WindowState::Maximized) {
        setWindowState(Qt::WindowMaximized);
    } else if (prefs.MainWindowState == WindowState::Minimized) {
        setWindowState(Qt::WindowMinimized);
    }
    LayOutControls();
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
    if (outcome.Result == MaterialLoadOutcome::Kind::Loaded) return MaterialReload::Loaded;
    if (outcome.Result == MaterialLoadOutcome::Kind::Fatal) {
        Message(QString::fromStdString(outcome.FatalText),
                QString::fromLatin1(kMaterialsErrorTitle), MessageIcon::Critical,
                MessageButtons::Ok);
        desktop_.EndProgram(1);
        return MaterialReload::Ended;
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

void MainWindow::SetUpNewModel() {
    ResetToNewModel(state_.model, state_.prefs.Defaults);
    ShowUnitLabels();
    ShowPowerAndIsotherm();
    if (state_.prefs.UseCurrentDate) {
        state_.prefs.UserInfoText[kUserInfoDateSlot] = TodayModelText();
    }
    FrameDeviceOnly->move(FrameLayerData->pos() + FrameLayersOnly->pos());
    FrameDeviceOnly->raise();
    for (QRadioButton* option : OptLayer) option->hide();
    OptLayer[0]->show();
    OptLayer[0]->setChecked(true);
    ShowRecord(0);
    TextModelName->setText(FromModelText(state_.model.ModelName));
    UpdateCaption();
    RedrawScaleView();
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
    state_.model.ModelChanged = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shutDown_) {
        event->accept();
        return;
    }
    if (!CommitActiveField() || ConfirmDiscardChanges() == MessageAnswer::Cancel) {
        event->ignore();
        return;
    }
    ShutDown();
    event->accept();
}

void MainWindow::ExitProgram() {
    if (!CommitActiveField() || ConfirmDiscardChanges() == MessageAnswer::Cancel) return;
    ShutDown();
    close();
}

void MainWindow::ShutDown() {
    shutDown_ = true;
    RecordPlacement();
    state_.prefs.UnitSystem = state_.model.UnitSystem;
    state_.prefs.MainWindowState = isMaximized()   ? WindowState::Maximized
                                   : isMinimized() ? WindowState::Minimized
                                                   : WindowState::Normal;
    const PreferencesSaveOutcome saved =
        SavePreferences(state_.prefs, state_.folders.PreferencesPath);
    if (!saved.Ok) {
        Message(QString::fromStdString(saved.Message), QString::fromLatin1(kSavePreferencesTitle),
                MessageIcon::None, MessageButtons::Ok);
    }
}

}  // namespace strativex
