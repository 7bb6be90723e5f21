#pragma once

#include <QDialog>

#include <array>

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

    void ListCustMats_Click(int row);
    void SelectEntry(int row);
    void cmdCreateMat_Click();
    void cmdDeleteMat_Click();
    void cmdOK_Click();
    bool txtMatName_Validate();
    bool txtMatProp_Validate(int index);

    bool ValidateField(QLineEdit* field);
    void FieldLeft(QLineEdit* field, const QWidget* next);
    void CancelLeft(const QWidget* next);
    void HoldFocus(QLineEdit* field);
    bool FieldsSettled();
    bool NameStorable(const QString& name);
    bool PropertyInRange(int index, double value);
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
    bool EditorChanged = false;
    // The field whose value was refused; it keeps the focus until it holds an accepted value.
    QLineEdit* refused_ = nullptr;
    // The field left for Cancel, which does not check it; checked when the focus moves on.
    QLineEdit* deferred_ = nullptr;

    QListWidget* ListCustMats = nullptr;
    QLabel* LabelMatName = nullptr;
    QLineEdit* txtMatName = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QLabel*, 3> Label3{};
    std::array<QLabel*, 2> LabelMatProp{};
    std::array<QLineEdit*, 2> txtMatProp{};
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* LabelKeptNote = nullptr;
    QPushButton* cmdCreateMat = nullptr;
    QPushButton* cmdDeleteMat = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* CmdCancel = nullptr;
};

}  // namespace strativex
