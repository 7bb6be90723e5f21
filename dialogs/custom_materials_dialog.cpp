#include "dialogs/custom_materials_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <initializer_list>

#include "core/number_format.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

const QString kNewMaterialEntry = QStringLiteral("(New Material)");

// Enough lines named to find the rest in the file; a damaged file may have thousands.
constexpr std::size_t kNamedLineLimit = 5;

QString SkippedNoteText(const std::vector<SkippedCustomLine>& skipped) {
    QString text = QStringLiteral(
        "These lines hold no custom material the program can use and are not shown here:");
    for (std::size_t i = 0; i < std::min(skipped.size(), kNamedLineLimit); ++i) {
        text += QStringLiteral("\n") + QString::fromStdString(SkippedLineText(skipped[i]));
    }
    if (skipped.size() > kNamedLineLimit) {
        text += QStringLiteral("\nand %1 more.").arg(skipped.size() - kNamedLineLimit);
    }
    return text + QStringLiteral("\nThey stay in the file unchanged.");
}

QString KeptNoteText(const CustomMaterialsFile& file) {
    QStringList parts;
    if (file.KeptRecordCount > 0) {
        parts << QStringLiteral(
                     "Only the first %1 custom materials are shown here. The other %2 "
                     "stay in the file unchanged.")
                     .arg(kEditorMaterialLimit)
                     .arg(file.KeptRecordCount);
    }
    if (!file.Skipped.empty()) parts << SkippedNoteText(file.Skipped);
    return parts.join(QStringLiteral("\n"));
}

}  // namespace

CustomMaterialsDialog::CustomMaterialsDialog(AppState& state, Desktop& desktop, QWidget* parent)
    : QDialog(parent), state_(state), desktop_(desktop) {
    setObjectName(QStringLiteral("frmCustomMatsDialog"));
    setWindowTitle(QStringLiteral("Custom Materials Editor"));
    BuildControls();
    PlaceControls();
    ConnectControls();
    Start();
}

void CustomMaterialsDialog::ConnectControls() {
    connect(materialList_, &QListWidget::currentRowChanged, this,
            &CustomMaterialsDialog::ShowClickedEntry);
    connect(createButton_, &QPushButton::clicked, this, &CustomMaterialsDialog::CreateMaterial);
    connect(deleteButton_, &QPushButton::clicked, this, &CustomMaterialsDialog::DeleteMaterial);
    connect(acceptButton_, &QPushButton::clicked, this, &CustomMaterialsDialog::AcceptChanges);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget* watched : std::initializer_list<QWidget*>{
             nameEdit_, propertyEdits_[0], propertyEdits_[1], heatEdits_[0], heatEdits_[1],
             cancelButton_, materialList_->viewport()}) {
        watched->installEventFilter(this);
    }
}

void CustomMaterialsDialog::Start() {
    createButton_->setEnabled(true);
    materialList_->addItem(kNewMaterialEntry);
    copy_ = ReadCustomMaterialsFile(state_.materialPaths.Custom, state_.materials);
    StartHeatCapacities();
    for (const Material& material : copy_.Shown) {
        materialList_->addItem(FromModelText(material.Name));
    }
    if (!copy_.KeptText.empty()) {
        keptNote_->setText(KeptNoteText(copy_));
        PlaceKeptNote();
    }
    SelectEntry(0);
    editorChanged_ = false;
    acceptButton_->setEnabled(false);
}

int CustomMaterialsDialog::SelectedEntry() const {
    return materialList_->currentRow();
}

// Selecting from code shows the entry at once, as a click would, even when it was already the
// current one.
void CustomMaterialsDialog::SelectEntry(int row) {
    {
        const QSignalBlocker blocker(materialList_);
        materialList_->setCurrentRow(row);
    }
    ShowClickedEntry(row);
}

void CustomMaterialsDialog::ShowClickedEntry(int row) {
    ShowHeat(row);
    if (row <= 0) {
        nameEdit_->clear();
        propertyEdits_[0]->setText(QStringLiteral("0"));
        propertyEdits_[1]->setText(QStringLiteral("0"));
        createButton_->setEnabled(static_cast<int>(copy_.Shown.size()) < kEditorMaterialLimit);
        deleteButton_->setEnabled(false);
        return;
    }
    const Material& material = copy_.Shown[row - 1];
    nameEdit_->setText(materialList_->item(row)->text());
    propertyEdits_[0]->setText(QString::fromStdString(NumberText(material.A)));
    propertyEdits_[1]->setText(QString::fromStdString(NumberText(material.B)));
    createButton_->setEnabled(false);
    deleteButton_->setEnabled(true);
}

void CustomMaterialsDialog::MarkChanged() {
    editorChanged_ = true;
    acceptButton_->setEnabled(true);
}

MessageAnswer CustomMaterialsDialog::Message(const QString& text, const QString& title,
                                             MessageIcon icon, MessageButtons buttons) {
    return desktop_.ShowMessage(this, text, title, icon, buttons);
}

// The editor's plain refusals carry the program's name as their title.
void CustomMaterialsDialog::Notice(const QString& text) {
    Message(text, QString::fromStdString(state_.ProgramName), MessageIcon::None,
            MessageButtons::Ok);
}

}  // namespace strativex
