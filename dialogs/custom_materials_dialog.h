#pragma once

#include <QDialog>

#include <array>
#include <map>
#include <optional>
#include <set>

#include "persistence/app_state.h"
#include "persistence/custom_materials_file.h"
#include "platform/desktop.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace strativex {

// Creates, renames, changes and deletes the custom materials on a working copy of matcust.dat
// and of their rows of matheat.csv (density and specific heat, each optional); "Accept
// Changes" writes both back, Cancel discards them. The material table is left alone:
// the main window reloads it from the file once the editor has closed.
class CustomMaterialsDialog : public QDialog {
    Q_OBJECT

public:
    CustomMaterialsDialog(AppState& state, Desktop& desktop, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildFormula();
    void PlaceControls();
    void PlaceFormula();
    void PlaceProperties();
    int ClientWidth() const;
    int PlaceFootnote(int clientWidth);
    void PlaceButtons(int top);
    void PlaceKeptNote();
    void BuildHeatControls();
    int PlaceHeatCapacity(int top);
    void ConnectControls();
    void Start();

    void ShowClickedEntry(int row);
    void SelectEntry(int row);
    void CreateMaterial();
    void DeleteMaterial();
    void AcceptChanges();
    bool CheckName();
    bool CheckProperty(int index);
    bool CheckHeat(int index);
    std::optional<std::optional<double>> ReadHeatField(int index);
    void StartHeatCapacities();
    void ShowHeat(int row);
    bool HeatComplete();
    std::optional<std::string> HeatOriginal();
    bool SaveHeatCapacities(const std::string& original);

    bool ValidateField(QLineEdit* field);
    void FieldLeft(QLineEdit* field, const QWidget* next);
    void CancelLeft(const QWidget* next);
    bool FieldsSettled();
    bool NameStorable(const QString& name);
    bool PropertyInRange(int index, double value);
    std::optional<double> ReadProperty(int index);
    void MarkChanged();
    int SelectedEntry() const;
    MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons);
    void Notice(const QString& text);

    // A custom material's density and specific heat as the editor holds them.
    struct HeatEntry {
        std::optional<double> Density;
        std::optional<double> SpecificHeat;
        std::string Source;
    };

    // The ids of the loaded standard materials, which new custom ones must not take.
    std::vector<std::int16_t> StandardIds() const;

    AppState& state_;
    Desktop& desktop_;
    CustomMaterialsFile copy_;
    bool editorChanged_ = false;
    // The field whose value was refused; it keeps the focus until it holds an accepted value.
    QLineEdit* refused_ = nullptr;
    // The field left for Cancel, which does not check it; checked when the focus moves on.
    QLineEdit* deferred_ = nullptr;
    std::map<std::int16_t, HeatEntry> heat_;
    // The ids whose heat capacity row must be written again or removed; every other line of
    // matheat.csv stays as it is.
    std::set<std::int16_t> heatEdited_;
    std::string heatPath_;

    QListWidget* materialList_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QLabel* conductivityHeading_ = nullptr;
    std::array<QLabel*, 3> formulaLabels_{};
    std::array<QLabel*, 2> propertyLabels_{};
    std::array<QLineEdit*, 2> propertyEdits_{};
    QLabel* temperatureNote_ = nullptr;
    QLabel* conductivityNote_ = nullptr;
    QLabel* constantNote_ = nullptr;
    QLabel* keptNote_ = nullptr;
    QLabel* heatHeading_ = nullptr;
    std::array<QLabel*, 2> heatLabels_{};
    std::array<QLineEdit*, 2> heatEdits_{};
    QPushButton* createButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace strativex
