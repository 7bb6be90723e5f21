#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <cmath>

#include "core/layer_commands.h"
#include "core/thermal_calc.h"
#include "core/units.h"
#include "mainwindow/main_window.h"
#include "views/layer_palette.h"
#include "views/layer_strip_geometry.h"
#include "views/model_text.h"
#include "views/twips.h"

namespace strativex {
namespace {

QString Formatted(float value, int slot, const DecimalDigitsTable& digits) {
    return QString::fromStdString(FormatValue(value, slot, digits));
}

// The scroll bar holds whole degrees from 0 to 45; halves go to the even neighbour.
int ScrollAngle(float angle) {
    const double rounded = std::nearbyint(static_cast<double>(angle));
    return static_cast<int>(std::clamp(rounded, 0.0, 45.0));
}

}  // namespace

void MainWindow::SelectRecord(int index) {
    OptLayer[index]->setChecked(true);
    ShowRecord(index);
}

void MainWindow::ShowRecord(int index) {
    Model& model = state_.model;
    model.CurrentLayer = static_cast<std::int16_t>(index);
    const Layer& record = model.Layers[index];
    const DecimalDigitsTable& digits = state_.prefs.DecimalDigits;
    if (index == 0) {
        FrameLayerData->setTitle(tr("Properties of Heat Source"));
    } else {
        FrameLayerData->setTitle(tr("Properties of Layer %1").arg(index));
        ShowLayerMaterial();
        const int angle = ScrollAngle(record.SpreadAngle);
        {
            const QSignalBlocker quiet(HScrAngle);
            HScrAngle->setValue(angle);
        }
        if (static_cast<float>(angle) != record.SpreadAngle) {
            AngleChanged(angle);
        } else {
            ShowAngle(record.SpreadAngle);
        }
        QPalette swatch = PicColor->palette();
        swatch.setColor(QPalette::Window, PaletteColor(StandardLayerPalette(), record.ColorIndex));
        PicColor->setPalette(swatch);
    }
    FrameLayersOnly->setVisible(index >= 1);
    FrameDeviceOnly->setVisible(index == 0);
    UpdateCommandAvailability();
    TextLayerDescrip->setText(FromModelText(record.Description));
    TextThickness->setText(Formatted(record.Thickness, ThicknessSlot(model.UnitSystem), digits));
    TextDevWidth->setText(Formatted(record.Width, WidthLengthSlot(model.UnitSystem), digits));
    CheckWidthField();
    TextDevLength->setText(Formatted(record.Length, WidthLengthSlot(model.UnitSystem), digits));
    CheckLengthField();
    ShowPowerAndIsotherm();
}

void MainWindow::UpdateCommandAvailability() {
    const Model& model = state_.model;
    CmdMoveLayerUp->setEnabled(CanMoveLayerUp(model));
    CmdMoveLayerDown->setEnabled(CanMoveLayerDown(model));
    LabelMoveLayer->setEnabled(CmdMoveLayerUp->isEnabled() || CmdMoveLayerDown->isEnabled());
    CmdDeleteLayer->setEnabled(CanDeleteLayer(model));
    CmdCopyLayer->setEnabled(CanCopyLayer(model));
    CmdAddLayer->setEnabled(CanAddLayer(model));
}

void MainWindow::ShowLayerMaterial() {
    const std::int16_t id = state_.model.Layers[state_.model.CurrentLayer].MaterialId;
    const QSignalBlocker quiet(ComboMaterials);
    ComboMaterials->setCurrentIndex(
        id == 0 ? -1 : ComboMaterials->findData(QVariant(static_cast<int>(id))));
}

void MainWindow::ShowPowerAndIsotherm() {
    const DecimalDigitsTable& digits = state_.prefs.DecimalDigits;
    TextIsotherm->setText(Formatted(state_.model.IsothermalTemp, kTemperatureSlot, digits));
    TextThermOutput->setText(Formatted(state_.model.PowerDissipation, kPowerSlot, digits));
}

void MainWindow::ShowUnitLabels() {
    const QString label = QString::fromLatin1(UnitLabel(state_.model.UnitSystem).data());
    LabelThickUnit->setText(label);
    LabelLengthUnit->setText(label);
    LabelWidthUnit->setText(label);
    const bool inches = state_.model.UnitSystem == LengthUnit::Inches;
    mnuInches->setChecked(inches);
    mnuMillimeters->setChecked(!inches);
}

void MainWindow::FillMaterialList() {
    const QSignalBlocker quiet(ComboMaterials);
    ComboMaterials->clear();
    for (const MaterialListEntry& entry : MaterialListEntries(state_.materials)) {
        ComboMaterials->addItem(FromModelText(entry.Name), QVariant(static_cast<int>(entry.Id)));
    }
    ComboMaterials->setCurrentIndex(-1);
}

void MainWindow::UpdateCaption() {
    setWindowTitle(QString::fromStdString(state_.ProgramName) + QStringLiteral(" -- ") +
                   FromModelText(state_.model.ModelFileName));
}

void MainWindow::Recalculate() {
    RecalculateModel(state_.model, state_.materials);
}

void MainWindow::RedrawScaleView() {
    if (!state_.model.SuspendUpdates) PicScaleView->update();
}

void MainWindow::RedrawLayerStrip() {
    if (state_.model.SuspendUpdates) return;
    const LayerStripGeometry strip = ComputeLayerStrip(state_.model);
    for (int i = 0; i <= strip.LayerCount; ++i) {
        OptLayer[i]->move(Px(LayerStripGeometry::kOptLayerLeft), Px(strip.OptLayerTop[i]));
    }
    if (strip.PointerTop) {
        LabelLayerPointer->move(LabelLayerPointer->x(),
                                FrameLayerSelect->y() + Px(*strip.PointerTop));
    }
    PicLayerSelect->update();
}

void MainWindow::RedrawDataTable() {
    PicDisplayData->update();
}

void MainWindow::RefreshAfterResultChange(bool scaleView) {
    Recalculate();
    RedrawLayerStrip();
    RedrawDataTable();
    if (scaleView) RedrawScaleView();
    state_.model.ModelChanged = true;
}

void MainWindow::StandardRefresh() {
    RedrawScaleView();
    RefreshAfterResultChange(false);
}

}  // namespace strativex
