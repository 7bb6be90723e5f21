#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>

#include "persistence/app_state.h"
#include "persistence/model_file.h"
#include "platform/desktop.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace strativex {

class CommentsDialog;

// The program's main window and model editor.
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

    // Commits the field being edited as leaving it would; false when it refuses its value.
    bool CommitActiveField();

    // The record selection, as clicking an option button does.
    void SelectRecord(int index);

    // Runs the field checks on the visible fields, as the record selection and the digits
    // command do; refusals show their message and are otherwise ignored.
    void CheckWidthField();
    void CheckLengthField();
    void CheckThicknessField();
    void CheckPowerField();
    void CheckIsothermField();

    MessageAnswer ConfirmDiscardChanges();

    // The commands, as their menu entries and buttons run them.
    void NewModel();
    void OpenModel();
    void SaveModel();
    void SaveModelAs();
    void OpenRecent(int k);
    void ExitProgram();
    void AddLayerCommand();
    void CopyLayerCommand();
    void DeleteLayerCommand();
    void MoveLayerUpCommand();
    void MoveLayerDownCommand();
    void StepLayerColor(Qt::MouseButton button);
    void SelectUnitCommand(LengthUnit unit);
    void DecimalDigitsCommand();
    void FileLocationsCommand();
    void OpenHelpDocument(const QString& fileName);
    void CommentsCommand();
    void CustomMaterialsCommand();
    void PrintCommand();
    void PrintPreviewCommand();
    void ExportPdfCommand();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Field {
        ModelName,
        Description,
        Width,
        Length,
        Thickness,
        Power,
        Isotherm,
        Material
    };

    struct RangeCheck {
        float Low;
        float High;
        int Slot;
        QString Message;
        QString Title;
    };

    // Construction.
    void BuildControls();
    void BuildLayerFrame();
    void BuildDeviceFrame();
    void BuildMenus();
    void BuildFileMenu();
    void BuildPreferencesMenu();
    void BuildHelpMenu();
    void ConnectControls();
    void ConnectDialogs();
    void ConnectReport();

    // Start-up and end.
    void ApplyWindowPlacement();
    enum class MaterialReload { Loaded, LookedElsewhere, Ended };
    bool LoadMaterialsAtStartUp();
    MaterialReload ReloadMaterials(std::optional<int> customLimit);
    void SetUpNewModel();
    void ShutDown();
    void LayOutControls();
    void RecordPlacement();
    QFont TitleFont(int pointSize) const;

    // Selection and refresh.
    void ShowRecord(int index);
    void UpdateCommandAvailability();
    void ShowUnitLabels();
    void ShowPowerAndIsotherm();
    void ShowLayerMaterial();
    void FillMaterialList();
    void UpdateCaption();
    void Recalculate();
    void RedrawScaleView();
    void RedrawLayerStrip();
    void RedrawDataTable();
    void RefreshAfterResultChange(bool scaleView);
    void StandardRefresh();

    // Fields.
    std::optional<Field> FieldOf(const QObject* widget) const;
    bool CommitField(Field field);
    bool CheckNumericField(Field field);
    bool CommitText(Field field);
    bool CommitMaterial();
    RangeCheck RangeFor(Field field) const;
    float* ModelValueFor(Field field);
    QLineEdit* EditFor(Field field) const;
    void ShowFieldValue(Field field, float value);
    void MaterialPicked(int entry);
    void AngleChanged(int value);
    void ShowAngle(float angle);

    // Files.
    bool LoadModelAndReport(const QString& path);
    void ReportReplacedMaterials(const QString& path,
                                 const std::vector<ReplacedMaterialId>& replaced);
    void RefreshAfterLoad();
    void RefreshRecentMenu();
    bool EnsureCommitted();

    // Messages.
    MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons);

    AppState& state_;
    Desktop& desktop_;
    QPointer<CommentsDialog> comments_;
    bool validating_ = false;
    bool selecting_ = false;
    bool shutDown_ = false;

public:
    // The controls, by the names the rest of the program and the tests know them.
    QLabel* LabelTitle = nullptr;
    QLabel* PicLogo = nullptr;
    QLabel* LabelModel = nullptr;
    QLineEdit* TextModelName = nullptr;
    QPushButton* CmdComments = nullptr;
    QPushButton* CmdAddLayer = nullptr;
    QPushButton* CmdCopyLayer = nullptr;
    QPushButton* CmdDeleteLayer = nullptr;
    QLabel* LabelMoveLayer = nullptr;
    QPushButton* CmdMoveLayerUp = nullptr;
    QPushButton* CmdMoveLayerDown = nullptr;
    QFrame* FrameLayerSelect = nullptr;
    std::array<QRadioButton*, kRecordCount> OptLayer{};
    QButtonGroup* OptLayerGroup = nullptr;
    QWidget* PicLayerSelect = nullptr;
    QLabel* LabelLayerPointer = nullptr;
    QGroupBox* FrameLayerData = nullptr;
    QLineEdit* TextLayerDescrip = nullptr;
    QLineEdit* TextDevWidth = nullptr;
    QLabel* LabelWidthUnit = nullptr;
    QLineEdit* TextDevLength = nullptr;
    QLabel* LabelLengthUnit = nullptr;
    QFrame* FrameLayersOnly = nullptr;
    QComboBox* ComboMaterials = nullptr;
    QLineEdit* TextThickness = nullptr;
    QLabel* LabelThickUnit = nullptr;
    QScrollBar* HScrAngle = nullptr;
    QLabel* LabelThermAngValue = nullptr;
    QLabel* PicColor = nullptr;
    QFrame* FrameDeviceOnly = nullptr;
    QLineEdit* TextThermOutput = nullptr;
    QLabel* LabelThermOutUnit = nullptr;
    QLineEdit* TextIsotherm = nullptr;
    QLabel* LabelIsothermUnit = nullptr;
    QWidget* PicScaleView = nullptr;
    QWidget* PicDisplayData = nullptr;

    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuPrintPreview = nullptr;
    QAction* mnuExportPdf = nullptr;
    std::array<QAction*, 5> mnuRecent{};  // 1..4 used
    QAction* mnuExit = nullptr;
    QAction* mnuCustomMat = nullptr;
    QAction* mnuInches = nullptr;
    QAction* mnuMillimeters = nullptr;
    QAction* mnuDigits = nullptr;
    QAction* mnuLocations = nullptr;
    QAction* mnuUserInfo = nullptr;
    QAction* mnuTopics = nullptr;
    QAction* mnuHowTo = nullptr;
    QAction* mnuGlossary = nullptr;
    QAction* mnuContact = nullptr;
    QAction* mnuAbout = nullptr;
};

}  // namespace strativex
