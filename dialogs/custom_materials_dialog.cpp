#include "dialogs/custom_materials_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <initializer_list>

#include "core/number_format.h"
#include "views/model_text.h"

namespace strativex {
namespace {

const QString kNewMaterialEntry = QStringLiteral("(New Material)");

QString KeptNoteText(const CustomMaterialsFile& file) {
    if (file.KeptRecordCount > 0) {
        return QStringLiteral(
                   "Only the first %1 custom materials are shown here. The other %2 "
                   "stay in the file unchanged.")
            .arg(kEditorMaterialLimit)
            .arg(file.KeptRecordCount);
    }
    return QStringLiteral(
        "The end of the custom materials file could not be read. It stays in "
        "the file unchanged.");
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
    connect(ListCustMats, &QListWidget::currentRowChanged, this,
            &CustomMaterialsDialog::ListCustMats_Click);
    connect(cmdCreateMat, &QPushButton::clicked, this, &CustomMaterialsDialog::cmdCreateMat_Click);
    connect(cmdDeleteMat, &QPushButton::clicked, this, &CustomMaterialsDialog::cmdDeleteMat_Click);
    connect(cmdOK, &QPushButton::clicked, this, &CustomMaterialsDialog::cmdOK_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget* watched : std::initializer_list<QWidget*>{
             txtMatName, txtMatProp[0], txtMatProp[1], CmdCancel, ListCustMats->viewport()}) {
        watched->installEventFilter(this);
    }
}

void CustomMaterialsDialog::Start() {
    cmdCreateMat->setEnabled(true);
    ListCustMats->addItem(kNewMaterialEntry);
    copy_ = ReadCustomMaterialsFile(state_.materialPaths.Custom);
    for (const Material& material : copy_.Shown) {
        ListCustMats->addItem(FromModelText(material.Name));
    }
    if (!copy_.KeptText.empty()) {
        LabelKeptNote->setText(KeptNoteText(copy_));
        PlaceKeptNote();
    }
    SelectEntry(0);
    EditorChanged = false;
    cmdOK->setEnabled(false);
}

int CustomMaterialsDialog::SelectedEntry() const {
    return ListCustMats->currentRow();
}

// Selecting from code shows the entry at once, as a click would, even when it was already the
// current one.
void CustomMaterialsDialog::SelectEntry(int row) {
    {
        const QSignalBlocker blocker(ListCustMats);
        ListCustMats->setCurrentRow(row);
    }
    ListCustMats_Click(row);
}

void CustomMaterialsDialog::ListCustMats_Click(int row) {
    if (row <= 0) {
        txtMatName->clear();
        txtMatProp[0]->setText(QStringLiteral("0"));
        txtMatProp[1]->setText(QStringLiteral("0"));
        cmdCreateMat->setEnabled(static_cast<int>(copy_.Shown.size()) < kEditorMaterialLimit);
        cmdDeleteMat->setEnabled(false);
        return;
    }
    const Material& material = copy_.Shown[row - 1];
    txtMatName->setText(ListCustMats->item(row)->text());
    txtMatProp[0]->setText(QString::fromStdString(NumberText(material.A)));
    txtMatProp[1]->setText(QString::fromStdString(NumberText(material.B)));
    cmdCreateMat->setEnabled(false);
    cmdDeleteMat->setEnabled(true);
}

void CustomMaterialsDialog::MarkChanged() {
    EditorChanged = true;
    cmdOK->setEnabled(true);
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
