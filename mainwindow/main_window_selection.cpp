#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <cmath>

#include "mainwindow/color_swatch.h"
#include "mainwindow/layer_editor.h"
#include "mainwindow/main_window.h"
#include "views/stack/layer_palette.h"

namespace strativex {
namespace {

// The scroll bar holds whole degrees from 0 to 45; halves go to the even neighbour. A stored
// angle the bar cannot hold is shown by the label and kept as it is.
int ScrollAngle(float angle) {
    const double rounded = std::nearbyint(static_cast<double>(angle));
    return static_cast<int>(std::clamp(std::isnan(rounded) ? 0.0 : rounded, 0.0, 45.0));
}

}  // namespace

void MainWindow::SelectRecord(int index) {
    recordOptions_[index]->setChecked(true);
    ShowRecord(index);
    RedrawLayerStrip();
}

// Shows the record's stored values; nothing is read back, so selecting a record never
// changes the model.
void MainWindow::ShowRecord(int index) {
    document_.SelectLayer(index);
    const Layer& record = state_.model.Layers[index];
    if (index == 0) {
        recordFrame_->setTitle(tr("Properties of Heat Source"));
    } else {
        recordFrame_->setTitle(tr("Properties of Layer %1").arg(index));
        ShowLayerMaterial();
        const QSignalBlocker quiet(angleBar_);
        angleBar_->setValue(ScrollAngle(record.SpreadAngle));
        ShowAngle(record.SpreadAngle);
        ShowSwatch();
    }
    KeepFocusInRecordFrame(index >= 1 ? deviceOnlyFrame_ : layerOnlyFrame_);
    layerOnlyFrame_->setVisible(index >= 1);
    deviceOnlyFrame_->setVisible(index == 0);
    layers_->ShowAvailability();
    ShowVisibleFields();
}

// A frame hidden with the focus in it would hand the focus down the tab order, into the model
// name with its text selected, where the next key typed replaces the name. The focus goes to
// the first field of the record instead, without selecting its text.
void MainWindow::KeepFocusInRecordFrame(const QWidget* hiding) {
    const QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && hiding->isAncestorOf(focused)) {
        descriptionEdit_->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::ShowLayerMaterial() {
    const std::int16_t id = state_.model.Layers[document_.CurrentLayer()].MaterialId;
    const QSignalBlocker quiet(materialList_);
    materialList_->setCurrentIndex(
        id == 0 ? -1 : materialList_->findData(QVariant(static_cast<int>(id))));
}

void MainWindow::ShowSwatch() {
    const Layer& layer = state_.model.Layers[document_.CurrentLayer()];
    colorSwatch_->SetColor(PaletteColor(StandardLayerPalette(), layer.ColorIndex));
}

}  // namespace strativex
