#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/thermal_calc.h"
#include "core/units.h"
#include "mainwindow/main_window.h"
#include "views/stack/layer_strip_geometry.h"
#include "views/surface/model_text.h"
#include "views/surface/twips.h"

namespace strativex {

// The one way the window brings itself up to date after the document changed, whatever the
// change: an edit, an undo, a new or opened model. The results are already computed.
void MainWindow::ShowDocument() {
    ShowUnitLabels();
    for (int i = 0; i < kRecordCount; ++i) {
        recordOptions_[i]->setVisible(i <= state_.model.LayerCount);
    }
    if (!modelNameEdit_->isModified()) ShowField(Field::ModelName);
    SelectRecord(document_.CurrentLayer());
    Refresh(Change::ScaleView | Change::Table);
}

void MainWindow::Refresh(Changes changes) {
    if (changes.testFlag(Change::ScaleView)) scaleView_->update();
    if (changes.testFlag(Change::Strip)) RedrawLayerStrip();
    if (changes.testFlag(Change::Table)) dataTable_->update();
}

void MainWindow::RedrawLayerStrip() {
    const LayerStripGeometry strip = ComputeLayerStrip(state_.model);
    for (int i = 0; i <= strip.LayerCount; ++i) {
        recordOptions_[i]->move(Px(LayerStripGeometry::kOptLayerLeft), Px(strip.OptLayerTop[i]));
    }
    if (const auto top = LayerPointerTop(strip, document_.CurrentLayer())) {
        stripPointer_->move(stripPointer_->x(), recordOptionFrame_->y() + Px(*top));
    }
    layerStrip_->update();
}

void MainWindow::ShowUnitLabels() {
    const std::string_view unit = UnitLabel(state_.model.UnitSystem);
    const QString label = QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size()));
    thicknessUnitLabel_->setText(label);
    lengthUnitLabel_->setText(label);
    widthUnitLabel_->setText(label);
    const bool inches = state_.model.UnitSystem == LengthUnit::Inches;
    inchesAction_->setChecked(inches);
    millimetersAction_->setChecked(!inches);
}

void MainWindow::FillMaterialList() {
    const QSignalBlocker quiet(materialList_);
    materialList_->clear();
    for (const MaterialListEntry& entry : MaterialListEntries(state_.materials)) {
        materialList_->addItem(FromModelText(entry.Name), QVariant(static_cast<int>(entry.Id)));
    }
    materialList_->setCurrentIndex(-1);
}

void MainWindow::UpdateCaption() {
    // The mark shows while the model differs from the file; Qt puts it in place of "[*]".
    setWindowTitle(QString::fromStdString(state_.ProgramName) + QStringLiteral(" -- ") +
                   FromModelText(state_.model.ModelFileName) + QStringLiteral("[*]"));
}

}  // namespace strativex
