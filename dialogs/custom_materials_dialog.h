#pragma once

#include <QDialog>

#include <array>
#include <optional>

#include "persistence/app_state.h"
#include "persistence/custom_materials_file.h"
#include "platform/desktop.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace strativex {

// Creates, renames, changes and deletes the custom materials on a working copy of matcust.dat;
// "Accept Changes" writes the copy back, Cancel discards it. The material table is left alone:
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
    void ConnectControls();
    void Start();

    void ShowClickedEntry(int row);
    void SelectEntry(int row);
    void CreateMaterial();
    void DeleteMaterial();
    void AcceptChanges();
    bool CheckName();
    bool CheckProperty(int index);

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
    QPushButton* createButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace strativex
