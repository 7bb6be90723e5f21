#pragma once

#include <QFlags>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/custom_material_line.h"
#include "core/quantity.h"
#include "core/typed_number.h"
#include "persistence/app_state.h"
#include "persistence/model_file.h"
#include "persistence/preferences.h"
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

class ColorSwatch;
class CommentsDialog;
class ExactCheckWindow;
class LiveExactReadout;
class SweepWindow;
class TransientWindow;

// What a change asks the window to bring up to date. The views paint later, from the state,
// so the order in which they are asked does not show; the results are always computed first.
enum class Change {
    Results = 0x1,
    ScaleView = 0x2,
    Strip = 0x4,
    Table = 0x8,
    MarkChanged = 0x10,
};
Q_DECLARE_FLAGS(Changes, Change)
Q_DECLARE_OPERATORS_FOR_FLAGS(Changes)

// The program's main window and model editor. Controls carry the names of the window design
// as object names; everything else reaches them through the commands.
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

signals:
    // After every change of the model's inputs and after a new or opened model: the one channel
    // through which windows that show the model learn that what they show is out of date. The
    // revision grows with every change, so a result can say which model it belongs to.
    void modelChanged(std::uint64_t revision);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

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
    // What a refused value does: commands that use the model say why and stop; commands that
    // discard the model drop the typed text without a word.
    enum class Refusal { Tell, Drop };

    // Construction.
    void BuildControls();
    void BuildHeader(QWidget* client);
    void BuildLayerSelect(QWidget* client);
    void BuildLayerFrame(QWidget* client);
    void BuildDeviceFrame(QWidget* client);
    void BuildViews(QWidget* client);
    void FitLabels();
    void SetTabOrder();
    void BuildMenus();
    void BuildFileMenu();
    void BuildMaterialsMenu();
    void BuildPreferencesMenu();
    void BuildAnalysisMenu();
    void BuildHelpMenu();

    // Wiring: every connection and event filter of the window.
    void Wire();
    void WireMenus();
    void WireCommands();
    void WireFields();
    void WireViews();

    // Start-up and end.
    void ApplyWindowPlacement();
    void ReportPreferencesProblem(const PreferencesLoadOutcome& outcome);
    enum class MaterialReload { Loaded, LookedElsewhere, Ended };
    bool LoadMaterialsAtStartUp();
    MaterialReload ReloadMaterials(std::optional<int> customLimit);
    void ReportCustomFileProblem(const std::string& problem);
    void ReportSkippedCustomLines(const std::vector<SkippedCustomLine>& skipped);
    void ReportOutOfRangeValues(const QString& path);
    void SetUpNewModel();
    void ShutDown();

    // Layout.
    void LayOutControls();
    void RecordPlacement();
    QFont TitleFont(int pointSize) const;

    // Refresh.
    void Refresh(Changes changes);
    void RedrawLayerStrip();
    void ShowUnitLabels();
    void ShowLayerMaterial();
    void FillMaterialList();
    void UpdateCaption();

    // Selection.
    void SelectRecord(int index);
    void ShowRecord(int index);
    void UpdateCommandAvailability();
    void KeepFocusInRecordFrame(const QWidget* hiding);
    void ShowAngle(float angle);
    void ShowSwatch();

    // Fields.
    std::optional<Field> FieldOf(const QObject* widget) const;
    std::optional<Field> ActiveField() const;
    bool CommitActiveField();
    void SettleActiveFieldToDiscard();
    bool CommitField(Field field, Refusal refusal);
    bool CommitNumber(Field field, Refusal refusal);
    std::optional<QuantityId> QuantityFor(Field field) const;
    TypedNumber ReadField(const QuantityDescriptor& quantity, const QString& text) const;
    QString RefusalText(const QuantityDescriptor& quantity, const QString& typed,
                        TypedNumberFault fault) const;
    QString NumberShown(const QuantityDescriptor& quantity, double value) const;
    bool CommitText(Field field, Refusal refusal);
    bool CommitMaterial(Refusal refusal);
    QLineEdit* EditFor(Field field) const;
    void ShowField(Field field);
    void ShowVisibleFields();
    bool RefusesPress(const QObject* target);
    bool StepAngleByKey(int key);
    void MaterialPicked(int entry);
    void AngleChanged(int value);
    void StepLayerColor(int step);

    // Layer commands.
    void AddLayerCommand();
    void CopyLayerCommand();
    void DeleteLayerCommand();
    void MoveLayerCommand(bool up);

    // Files.
    MessageAnswer ConfirmDiscardChanges();
    bool ReadyToDiscard();
    void NewModel();
    void OpenModel();
    void OpenRecent(int k);
    void OpenDroppedFile(const QString& path);
    void SaveModel();
    void SaveModelAs();
    bool LoadModelAndReport(const QString& path);
    QString ModelsDialogFolder() const;
    void ReportReplacedMaterials(const QString& path,
                                 const std::vector<ReplacedMaterialId>& replaced);
    void RefreshAfterLoad();
    void RefreshRecentMenu();
    void ExitProgram();

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
    void PrintCommand();
    void PrintPreviewCommand();
    void ExportPdfCommand();
    void ExactCheckCommand();
    void SweepCommand();
    void TransientCommand();
    std::function<bool()> EditsCommitter();

    MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons);

    AppState& state_;
    Desktop& desktop_;
    QPointer<CommentsDialog> comments_;
    QPointer<ExactCheckWindow> exactCheck_;
    QPointer<SweepWindow> sweep_;
    QPointer<TransientWindow> transient_;
    LiveExactReadout* liveReadout_ = nullptr;
    bool committing_ = false;
    std::uint64_t modelRevision_ = 0;
    bool swallowPress_ = false;
    std::optional<QPoint> requestedPlace_;
    QPoint systemShift_;
    bool shutDown_ = false;

    QLabel* titleLabel_ = nullptr;
    QLabel* logo_ = nullptr;
    QLabel* modelNameLabel_ = nullptr;
    QLineEdit* modelNameEdit_ = nullptr;
    QPushButton* commentsButton_ = nullptr;
    QPushButton* addLayerButton_ = nullptr;
    QPushButton* copyLayerButton_ = nullptr;
    QPushButton* deleteLayerButton_ = nullptr;
    QLabel* moveLayerLabel_ = nullptr;
    QPushButton* moveUpButton_ = nullptr;
    QPushButton* moveDownButton_ = nullptr;
    QFrame* recordOptionFrame_ = nullptr;
    std::array<QRadioButton*, kRecordCount> recordOptions_{};
    QButtonGroup* recordOptionGroup_ = nullptr;
    QWidget* layerStrip_ = nullptr;
    QLabel* stripPointer_ = nullptr;
    QGroupBox* recordFrame_ = nullptr;
    QLineEdit* descriptionEdit_ = nullptr;
    QLineEdit* widthEdit_ = nullptr;
    QLabel* widthUnitLabel_ = nullptr;
    QLineEdit* lengthEdit_ = nullptr;
    QLabel* lengthUnitLabel_ = nullptr;
    QFrame* layerOnlyFrame_ = nullptr;
    QComboBox* materialList_ = nullptr;
    QLineEdit* thicknessEdit_ = nullptr;
    QLabel* thicknessUnitLabel_ = nullptr;
    QScrollBar* angleBar_ = nullptr;
    QLabel* angleValueLabel_ = nullptr;
    ColorSwatch* colorSwatch_ = nullptr;
    QFrame* deviceOnlyFrame_ = nullptr;
    QLineEdit* powerEdit_ = nullptr;
    QLabel* powerUnitLabel_ = nullptr;
    QLineEdit* isothermEdit_ = nullptr;
    QLabel* isothermUnitLabel_ = nullptr;
    QWidget* scaleView_ = nullptr;
    QWidget* dataTable_ = nullptr;

    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* previewAction_ = nullptr;
    QAction* exportPdfAction_ = nullptr;
    std::array<QAction*, 5> recentActions_{};  // 1..4 used
    QAction* exitAction_ = nullptr;
    QAction* customMaterialsAction_ = nullptr;
    QAction* inchesAction_ = nullptr;
    QAction* millimetersAction_ = nullptr;
    QAction* digitsAction_ = nullptr;
    QAction* locationsAction_ = nullptr;
    QAction* userInfoAction_ = nullptr;
    QAction* exactCheckAction_ = nullptr;
    QAction* sweepAction_ = nullptr;
    QAction* transientAction_ = nullptr;
    QAction* topicsAction_ = nullptr;
    QAction* howToAction_ = nullptr;
    QAction* glossaryAction_ = nullptr;
    QAction* contactAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

}  // namespace strativex
