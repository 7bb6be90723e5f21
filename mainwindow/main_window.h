#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

#include "core/units.h"
#include "document/model_document.h"
#include "mainwindow/layer_editor.h"
#include "mainwindow/model_form.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

namespace strativex {

class AnalysisLauncher;
class CommentsDialog;
class FileCommands;
class MaterialFiles;
class ReportCommands;

// The program's main window: it builds the controls in their design places and the menus,
// hands them to its parts and shows the document whenever it changes. The parts: the form (the
// fields and what is typed in them), the file, report and layer commands, the materials' files
// and the analysis launcher. Left here: start-up and end, the window's placement and layout, the
// record selection and the other menus' commands.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(AppState& state, Desktop& desktop, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up: folders, preferences, materials, a new model. False when the program was
    // ended during it (materials missing or damaged).
    bool Start(const QString& programFolder);
    bool Start(const ProgramFolders& folders);

    // Opens a model given on the command line, as Open does after its dialog.
    void OpenModelFromPath(const QString& path);
    // The model being edited, with its history.
    ModelDocument& Document() { return document_; }
    const ModelDocument& Document() const { return document_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Construction.
    void BuildControls();
    void BuildHeader(QWidget* client, ModelForm::Fields& fields, LayerEditor::Buttons& buttons);
    void BuildLayerSelect(QWidget* client);
    void BuildLayerFrame(QWidget* client, ModelForm::Fields& fields);
    void BuildDeviceFrame(QWidget* client, ModelForm::Fields& fields);
    void BuildViews(QWidget* client);
    void FitLabels(const ModelForm::Fields& fields);
    void SetTabOrder(const ModelForm::Fields& fields, const LayerEditor::Buttons& buttons);
    void BuildMenus();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildMaterialsMenu();
    void BuildPreferencesMenu();
    void BuildHelpMenu();
    void Wire();

    // Start-up and end.
    void ApplyWindowPlacement();
    void ReportPreferencesProblem(const PreferencesLoadOutcome& outcome);
    void ExitProgram();
    void ShutDown();

    // Layout.
    void LayOutControls();
    void RecordPlacement();
    QFont TitleFont(int pointSize) const;

    // Showing the document.
    void ShowDocument();
    void SelectRecord(int index);
    void RedrawViews();
    void RedrawLayerStrip();
    void ShowUnitChoice();
    void ShowHistory();

    // Commands of the other menus.
    void SelectUnitCommand(LengthUnit unit);
    void DecimalDigitsCommand();
    void FileLocationsCommand();
    void UserInfoCommand();
    void AboutCommand();
    void ContactCommand();
    void CommentsCommand();
    void CustomMaterialsCommand();
    void OpenHelpDocument(const QString& fileName);

    MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons);

    AppState& state_;
    Desktop& desktop_;
    ModelDocument document_;

    // The parts.
    ModelForm* form_ = nullptr;
    FileCommands* files_ = nullptr;
    MaterialFiles* materials_ = nullptr;
    ReportCommands* reports_ = nullptr;
    LayerEditor* layers_ = nullptr;
    AnalysisLauncher* analysis_ = nullptr;
    QPointer<CommentsDialog> comments_;

    // The placement asked for, and how far the window system moved the window from there.
    std::optional<QPoint> requestedPlace_;
    QPoint systemShift_;
    bool placing_ = false;  // the stored placement is being applied: nothing to lay out or record
    bool shutDown_ = false;

    // The controls the window itself lays out or shows.
    QLabel* titleLabel_ = nullptr;
    QLabel* logo_ = nullptr;
    QPushButton* commentsButton_ = nullptr;
    QFrame* recordOptionFrame_ = nullptr;
    std::array<QRadioButton*, kRecordCount> recordOptions_{};
    QButtonGroup* recordOptionGroup_ = nullptr;
    QWidget* layerStrip_ = nullptr;
    QLabel* stripPointer_ = nullptr;
    QWidget* scaleView_ = nullptr;
    QWidget* dataTable_ = nullptr;

    // The menu entries whose text or check mark follows the document.
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* inchesAction_ = nullptr;
    QAction* millimetersAction_ = nullptr;
};

}  // namespace strativex
