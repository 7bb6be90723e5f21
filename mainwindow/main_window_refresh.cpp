#include <QAction>
#include <QLabel>
#include <QRadioButton>

#include "mainwindow/layer_editor.h"
#include "mainwindow/main_window.h"
#include "mainwindow/model_form.h"
#include "views/stack/layer_strip_geometry.h"
#include "views/surface/twips.h"

namespace strativex {

// The one way the window brings itself up to date after the document changed, whatever the
// change: an edit, an undo, a new or opened model. The results are already computed.
void MainWindow::ShowDocument() {
    form_->ShowUnitLabels();
    ShowUnitChoice();
    for (int i = 0; i < kRecordCount; ++i) {
        recordOptions_[i]->setVisible(i <= state_.model.LayerCount);
    }
    form_->ShowModelName();
    SelectRecord(document_.CurrentLayer());
    RedrawViews();
}

// Selecting a record is no edit: its stored values are shown, nothing is read back.
void MainWindow::SelectRecord(int index) {
    recordOptions_[index]->setChecked(true);
    document_.SelectLayer(index);
    form_->ShowRecord();
    layers_->ShowAvailability();
    RedrawLayerStrip();
}

// The views paint later, from the state, so the order in which they are asked does not show.
void MainWindow::RedrawViews() {
    scaleView_->update();
    dataTable_->update();
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

void MainWindow::ShowUnitChoice() {
    const bool inches = state_.model.UnitSystem == LengthUnit::Inches;
    inchesAction_->setChecked(inches);
    millimetersAction_->setChecked(!inches);
}

void MainWindow::ShowHistory() {
    const QUndoStack& history = document_.History();
    undoAction_->setEnabled(history.canUndo());
    redoAction_->setEnabled(history.canRedo());
    undoAction_->setText(history.canUndo() ? tr("&Undo %1").arg(history.undoText()) : tr("&Undo"));
    redoAction_->setText(history.canRedo() ? tr("&Redo %1").arg(history.redoText()) : tr("&Redo"));
}

}  // namespace strativex
