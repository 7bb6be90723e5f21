#include <QAction>
#include <QLineEdit>
#include <QMenuBar>

#include "core/units.h"
#include "mainwindow/main_window.h"
#include "views/model_text.h"

namespace strativex {
namespace {

QAction* AddAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

}  // namespace

void MainWindow::BuildMenus() {
    BuildFileMenu();
    QMenu* materials = menuBar()->addMenu(tr("&Materials"));
    materials->setObjectName(QStringLiteral("mnuMaterials"));
    mnuCustomMat = AddAction(materials, "mnuCustomMat", tr("&Custom Materials..."));
    BuildPreferencesMenu();
    BuildHelpMenu();
}

void MainWindow::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = AddAction(file, "mnuNew", tr("&New Model"));
    mnuOpen = AddAction(file, "mnuOpen", tr("&Open Existing Model"));
    mnuSave = AddAction(file, "mnuSave", tr("&Save"));
    mnuSaveAs = AddAction(file, "mnuSaveAs", tr("Save &As..."));
    AddSeparator(file, "mnuSeparator1");
    mnuPrint = AddAction(file, "mnuPrint", tr("&Print"));
    mnuPrintPreview = AddAction(file, "mnuPrintPreview", tr("Print Pre&view"));
    mnuExportPdf = AddAction(file, "mnuExportPdf", tr("Export P&DF..."));
    AddSeparator(file, "mnuSeparator4");
    for (int k = 1; k <= 4; ++k) {
        mnuRecent[k] = file->addAction(QString());
        mnuRecent[k]->setObjectName(QStringLiteral("mnuRecent_%1").arg(k));
        mnuRecent[k]->setVisible(false);
        connect(mnuRecent[k], &QAction::triggered, this, [this, k] { OpenRecent(k); });
    }
    AddSeparator(file, "mnuSeparator2");
    mnuExit = AddAction(file, "mnuExit", tr("&Exit"));

    connect(mnuNew, &QAction::triggered, this, &MainWindow::NewModel);
    connect(mnuOpen, &QAction::triggered, this, &MainWindow::OpenModel);
    connect(mnuSave, &QAction::triggered, this, [this] {
        if (CommitActiveField()) SaveModel();
    });
    connect(mnuSaveAs, &QAction::triggered, this, [this] {
        if (CommitActiveField()) SaveModelAs();
    });
    connect(mnuExit, &QAction::triggered, this, &MainWindow::ExitProgram);
}

void MainWindow::BuildPreferencesMenu() {
    QMenu* prefs = menuBar()->addMenu(tr("&Preferences"));
    prefs->setObjectName(QStringLiteral("mnuPrefs"));
    QMenu* units = prefs->addMenu(tr("&Units..."));
    units->setObjectName(QStringLiteral("mnuUnits"));
    mnuInches = AddAction(units, "mnuInches", tr("&Inches"));
    mnuMillimeters = AddAction(units, "mnuMillimeters", tr("&Millimeters"));
    mnuInches->setCheckable(true);
    mnuMillimeters->setCheckable(true);
    AddSeparator(prefs, "mnuSeparator3");
    mnuDigits = AddAction(prefs, "mnuDigits", tr("Decimal &Digits"));
    mnuLocations = AddAction(prefs, "mnuLocations", tr("&File Locations"));
    mnuUserInfo = AddAction(prefs, "mnuUserInfo", tr("User &Info"));

    connect(mnuInches, &QAction::triggered, this,
            [this] { SelectUnitCommand(LengthUnit::Inches); });
    connect(mnuMillimeters, &QAction::triggered, this,
            [this] { SelectUnitCommand(LengthUnit::Millimeters); });
}

void MainWindow::BuildHelpMenu() {
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuTopics = AddAction(help, "mnuTopics", tr("&Topics"));
    mnuHowTo = AddAction(help, "mnuHowTo", tr("&How to..."));
    mnuGlossary = AddAction(help, "mnuGlossary", tr("&Glossary"));
    mnuContact = AddAction(help, "mnuContact", tr("&Contact JOR"));
    mnuAbout = AddAction(help, "mnuAbout", tr("&About Strativex..."));

    connect(mnuTopics, &QAction::triggered, this,
            [this] { OpenHelpDocument(QStringLiteral("/SX-Topics.pdf")); });
    connect(mnuHowTo, &QAction::triggered, this,
            [this] { OpenHelpDocument(QStringLiteral("/SX-How To.pdf")); });
    connect(mnuGlossary, &QAction::triggered, this,
            [this] { OpenHelpDocument(QStringLiteral("/SX-Glossary.pdf")); });
}

void MainWindow::SelectUnitCommand(LengthUnit unit) {
    // The check mark follows the model's unit, also when the chosen one was already current.
    if (!CommitActiveField() || !SelectUnit(state_.model, unit)) {
        ShowUnitLabels();
        return;
    }
    state_.prefs.UnitSystem = unit;
    ShowUnitLabels();
    const Layer& record = state_.model.Layers[state_.model.CurrentLayer];
    TextDevWidth->setText(QString::fromStdString(
        FormatValue(record.Width, WidthLengthSlot(unit), state_.prefs.DecimalDigits)));
    TextDevLength->setText(QString::fromStdString(
        FormatValue(record.Length, WidthLengthSlot(unit), state_.prefs.DecimalDigits)));
    TextThickness->setText(QString::fromStdString(
        FormatValue(record.Thickness, ThicknessSlot(unit), state_.prefs.DecimalDigits)));
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
}

void MainWindow::OpenHelpDocument(const QString& fileName) {
    desktop_.OpenDocument(PathText(state_.folders.HelpFolder) + fileName);
}

}  // namespace strativex
