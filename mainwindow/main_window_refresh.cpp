#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/thermal_calc.h"
#include "core/units.h"
#include "mainwindow/main_window.h"
#include "views/layer_strip_geometry.h"
#include "views/model_text.h"
#include "views/twips.h"

namespace strativex {

// The one way the window brings itself up to date after the model changed; the commands say
// what changed and this does the rest.
void MainWindow::Refresh(Changes changes) {
    if (changes.testFlag(Change::Results)) RecalculateModel(state_.model, state_.materials);
    if (!state_.model.SuspendUpdates) {
        if (changes.testFlag(Change::ScaleView)) scaleView_->update();
        if (changes.testFlag(Change::Strip)) RedrawLayerStrip();
        if (changes.testFlag(Change::Table)) dataTable_->update();
    }
    if (changes.testFlag(Change::MarkChanged)) state_.model.ModelChanged = true;
    if (changes.testAnyFlags(Change::Results | Change::MarkChanged))
        emit modelChanged(++modelRevision_);
}

void MainWindow::RedrawLayerStrip() {
    if (state_.model.SuspendUpdates) return;
    const LayerStripGeometry strip = ComputeLayerStrip(state_.model);
    for (int i = 0; i <= strip.LayerCount; ++i) {
        recordOptions_[i]->move(Px(LayerStripGeometry::kOptLayerLeft), Px(strip.OptLayerTop[i]));
    }
    if (strip.PointerTop) {
        stripPointer_->move(stripPointer_->x(), recordOptionFrame_->y() + Px(*strip.PointerTop));
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
    setWindowTitle(QString::fromStdString(state_.ProgramName) + QStringLiteral(" -- ") +
                   FromModelText(state_.model.ModelFileName));
}

}  // namespace strativex
