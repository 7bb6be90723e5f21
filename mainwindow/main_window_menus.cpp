#include <QAction>
#include <QMenuBar>

#include "mainwindow/analysis_launcher.h"
#include "mainwindow/main_window.h"

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
    newAction_ = AddAction(file, "mnuNew", tr("&New Model"), QKeySequence::New);
    openAction_ = AddAction(file, "mnuOpen", tr("&Open Existing Model"), QKeySequence::Open);
    saveAction_ = AddAction(file, "mnuSave", tr("&Save"), QKeySequence::Save);
    // Not every desktop binds Save As to a key; this one is the usual.
    saveAsAction_ = AddAction(file, "mnuSaveAs", tr("Save &As..."),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    AddSeparator(file, "mnuSeparator1");
    printAction_ = AddAction(file, "mnuPrint", tr("&Print"), QKeySequence::Print);
    previewAction_ = AddAction(file, "mnuPrintPreview", tr("Print Pre&view"));
    exportPdfAction_ = AddAction(file, "mnuExportPdf", tr("Export P&DF..."));
    AddSeparator(file, "mnuSeparator4");
    for (int k = 1; k <= 4; ++k) {
        recentActions_[k] = file->addAction(QString());
        recentActions_[k]->setObjectName(QStringLiteral("mnuRecent_%1").arg(k));
        recentActions_[k]->setVisible(false);
    }
    AddSeparator(file, "mnuSeparator2");
    exitAction_ = AddAction(file, "mnuExit", tr("&Exit"), QKeySequence::Quit);
}

// The texts name the step ("Undo Thickness of layer 3"); ShowHistory keeps them so.
void MainWindow::BuildEditMenu() {
    QMenu* edit = AddMenu(menuBar(), "mnuEdit", tr("&Edit"));
    undoAction_ = AddAction(edit, "mnuUndo", tr("&Undo"), QKeySequence::Undo);
    redoAction_ = AddAction(edit, "mnuRedo", tr("&Redo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

void MainWindow::BuildMaterialsMenu() {
    QMenu* materials = AddMenu(menuBar(), "mnuMaterials", tr("&Materials"));
    customMaterialsAction_ = AddAction(materials, "mnuCustomMat", tr("&Custom Materials..."));
}

void MainWindow::BuildPreferencesMenu() {
    QMenu* prefs = AddMenu(menuBar(), "mnuPrefs", tr("&Preferences"));
    QMenu* units = prefs->addMenu(tr("&Units..."));
    units->setObjectName(QStringLiteral("mnuUnits"));
    inchesAction_ = AddAction(units, "mnuInches", tr("&Inches"));
    millimetersAction_ = AddAction(units, "mnuMillimeters", tr("&Millimeters"));
    inchesAction_->setCheckable(true);
    millimetersAction_->setCheckable(true);
    AddSeparator(prefs, "mnuSeparator3");
    digitsAction_ = AddAction(prefs, "mnuDigits", tr("Decimal &Digits"));
    locationsAction_ = AddAction(prefs, "mnuLocations", tr("&File Locations"));
    userInfoAction_ = AddAction(prefs, "mnuUserInfo", tr("User &Info"));
}

void MainWindow::BuildHelpMenu() {
    QMenu* help = AddMenu(menuBar(), "mnuHelp", tr("&Help"));
    topicsAction_ = AddAction(help, "mnuTopics", tr("&Topics"), QKeySequence(Qt::Key_F1));
    howToAction_ = AddAction(help, "mnuHowTo", tr("&How to..."));
    glossaryAction_ = AddAction(help, "mnuGlossary", tr("&Glossary"));
    contactAction_ = AddAction(help, "mnuContact", tr("&Contact JOR"));
    aboutAction_ = AddAction(help, "mnuAbout", tr("&About Strativex..."));
}

}  // namespace strativex
