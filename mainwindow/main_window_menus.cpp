#include <QAction>
#include <QMenuBar>

#include "mainwindow/analysis_launcher.h"
#include "mainwindow/file_commands.h"
#include "mainwindow/main_window.h"
#include "mainwindow/model_form.h"
#include "mainwindow/report_commands.h"

namespace strativex {
namespace {

QAction* AddAction(QMenu* menu, const char* name, const QString& caption,
                   const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

}  // namespace

void MainWindow::BuildMenus() {
    BuildFileMenu();
    BuildEditMenu();
    BuildMaterialsMenu();
    BuildPreferencesMenu();
    analysis_->BuildMenu(*menuBar());
    BuildHelpMenu();
}

// Beside the access keys of the captions, the desktop's standard shortcuts.
void MainWindow::BuildFileMenu() {
    QMenu* file = AddMenu(menuBar(), "mnuFile", tr("&File"));
    const auto add = [this, file](const char* name, const QString& caption, auto* target,
                                  auto command, const QKeySequence& shortcut = {}) {
        connect(AddAction(file, name, caption, shortcut), &QAction::triggered, target, command);
    };
    add("mnuNew", tr("&New Model"), files_, &FileCommands::New, QKeySequence::New);
    add("mnuOpen", tr("&Open Existing Model"), files_, &FileCommands::Open, QKeySequence::Open);
    add("mnuSave", tr("&Save"), files_, &FileCommands::Save, QKeySequence::Save);
    // Not every desktop binds Save As to a key; this one is the usual.
    add("mnuSaveAs", tr("Save &As..."), files_, &FileCommands::SaveAs,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    AddSeparator(file, "mnuSeparator1");
    add("mnuPrint", tr("&Print"), reports_, &ReportCommands::Print, QKeySequence::Print);
    add("mnuPrintPreview", tr("Print Pre&view"), reports_, &ReportCommands::PrintPreview);
    add("mnuExportPdf", tr("Export P&DF..."), reports_, &ReportCommands::ExportPdf);
    AddSeparator(file, "mnuSeparator4");
    files_->AddRecentEntries(*file);
    AddSeparator(file, "mnuSeparator2");
    add("mnuExit", tr("&Exit"), this, &MainWindow::ExitProgram, QKeySequence::Quit);
}

// The texts name the step ("Undo Thickness of layer 3"); ShowHistory keeps them so.
void MainWindow::BuildEditMenu() {
    QMenu* edit = AddMenu(menuBar(), "mnuEdit", tr("&Edit"));
    undoAction_ = AddAction(edit, "mnuUndo", tr("&Undo"), QKeySequence::Undo);
    redoAction_ = AddAction(edit, "mnuRedo", tr("&Redo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undoAction_, &QAction::triggered, form_, &ModelForm::Undo);
    connect(redoAction_, &QAction::triggered, form_, &ModelForm::Redo);
}

void MainWindow::BuildMaterialsMenu() {
    QMenu* materials = AddMenu(menuBar(), "mnuMaterials", tr("&Materials"));
    connect(AddAction(materials, "mnuCustomMat", tr("&Custom Materials...")), &QAction::triggered,
            this, &MainWindow::CustomMaterialsCommand);
}

void MainWindow::BuildPreferencesMenu() {
    QMenu* prefs = AddMenu(menuBar(), "mnuPrefs", tr("&Preferences"));
    QMenu* units = prefs->addMenu(tr("&Units..."));
    units->setObjectName(QStringLiteral("mnuUnits"));
    inchesAction_ = AddAction(units, "mnuInches", tr("&Inches"));
    millimetersAction_ = AddAction(units, "mnuMillimeters", tr("&Millimeters"));
    inchesAction_->setCheckable(true);
    millimetersAction_->setCheckable(true);
    connect(inchesAction_, &QAction::triggered, this,
            [this] { SelectUnitCommand(LengthUnit::Inches); });
    connect(millimetersAction_, &QAction::triggered, this,
            [this] { SelectUnitCommand(LengthUnit::Millimeters); });
    AddSeparator(prefs, "mnuSeparator3");
    const auto add = [this, prefs](const char* name, const QString& caption,
                                   void (MainWindow::*command)()) {
        connect(AddAction(prefs, name, caption), &QAction::triggered, this, command);
    };
    add("mnuDigits", tr("Decimal &Digits"), &MainWindow::DecimalDigitsCommand);
    add("mnuLocations", tr("&File Locations"), &MainWindow::FileLocationsCommand);
    add("mnuUserInfo", tr("User &Info"), &MainWindow::UserInfoCommand);
}

void MainWindow::BuildHelpMenu() {
    QMenu* help = AddMenu(menuBar(), "mnuHelp", tr("&Help"));
    const auto document = [this, help](const char* name, const QString& caption,
                                       const QString& fileName, const QKeySequence& shortcut) {
        connect(AddAction(help, name, caption, shortcut), &QAction::triggered, this,
                [this, fileName] { OpenHelpDocument(fileName); });
    };
    document("mnuTopics", tr("&Topics"), QStringLiteral("/SX-Topics.pdf"),
             QKeySequence(Qt::Key_F1));
    document("mnuHowTo", tr("&How to..."), QStringLiteral("/SX-How To.pdf"), {});
    document("mnuGlossary", tr("&Glossary"), QStringLiteral("/SX-Glossary.pdf"), {});
    connect(AddAction(help, "mnuContact", tr("&Contact JOR")), &QAction::triggered, this,
            &MainWindow::ContactCommand);
    connect(AddAction(help, "mnuAbout", tr("&About Strativex...")), &QAction::triggered, this,
            &MainWindow::AboutCommand);
}

}  // namespace strativex
