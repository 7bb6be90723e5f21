#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "mainwindow/color_swatch.h"
#include "mainwindow/main_window.h"
#include "mainwindow/view_boxes.h"
#include "mainwindow/window_places.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

template <typename Widget>
Widget* Make(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(DesignPlace(name));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = Make<QLabel>(parent, name);
    label->setText(text);
    return label;
}

// Commands are reached by Tab but never take the focus with a click: the field being edited
// keeps it, so that a command can commit it first and stop when it refuses its value.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = Make<QPushButton>(parent, name);
    button->setText(text);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// A label whose caption the desktop's font makes wider than its design place grows to its
// text; the field beside it gives up the room, keeping its right edge.
void FitBeside(QLabel* label, QWidget* field) {
    const int needed = label->sizeHint().width();
    if (needed <= label->width()) return;
    label->resize(needed, label->height());
    const int gap = Px(15);
    const int left = label->x() + needed + gap;
    if (field == nullptr || left <= field->x()) return;
    const int right = field->geometry().right();
    field->setGeometry(left, field->y(), right - left + 1, field->height());
}

// A caption above its field may use the whole width of the frame it stands in.
void FitAbove(QLabel* label) {
    const int room = label->parentWidget()->width() - label->x();
    label->resize(std::min(std::max(label->width(), label->sizeHint().width()), room),
                  label->height());
}

}  // namespace

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client);
    BuildHeader(client);
    BuildLayerSelect(client);
    BuildLayerFrame(client);
    BuildDeviceFrame(client);
    BuildViews(client);
    FitLabels();
    SetTabOrder();
}

void MainWindow::BuildHeader(QWidget* client) {
    logo_ = Make<QLabel>(client, "PicLogo");
    titleLabel_ =
        MakeLabel(client, "LabelTitle", tr("Thermal Resistance & Temperature Calculator"));
    titleLabel_->setWordWrap(true);
    titleLabel_->setAlignment(Qt::AlignCenter);
    QFont titleFont = titleLabel_->font();
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);

    modelNameLabel_ = MakeLabel(client, "LabelModel", tr("Model Name:"));
    modelNameEdit_ = Make<QLineEdit>(client, "TextModelName");
    commentsButton_ = MakeButton(client, "CmdComments", tr("Model Comments"));
    addLayerButton_ = MakeButton(client, "CmdAddLayer", tr("Add a Layer"));
    copyLayerButton_ = MakeButton(client, "CmdCopyLayer", tr("Copy Layer"));
    deleteLayerButton_ = MakeButton(client, "CmdDeleteLayer", tr("Delete Layer"));
    moveUpButton_ = MakeButton(client, "CmdMoveLayerUp", QStringLiteral("\u25B2"));
    moveLayerLabel_ = MakeLabel(client, "LabelMoveLayer", tr("Move Layer"));
    moveLayerLabel_->setWordWrap(true);
    moveLayerLabel_->setAlignment(Qt::AlignCenter);
    moveDownButton_ = MakeButton(client, "CmdMoveLayerDown", QStringLiteral("\u25BC"));
}

void MainWindow::BuildLayerSelect(QWidget* client) {
    recordOptionFrame_ = Make<QFrame>(client, "FrameLayerSelect");
    recordOptionGroup_ = new QButtonGroup(this);
    for (int i = 0; i < kRecordCount; ++i) {
        auto* option = new QRadioButton(recordOptionFrame_);
        option->setObjectName(QStringLiteral("OptLayer_%1").arg(i));
        option->setFocusPolicy(Qt::TabFocus);
        option->setAccessibleName(i == 0 ? tr("Heat source") : tr("Layer %1").arg(i));
        option->setGeometry(DesignPlace("OptLayer"));
        option->hide();
        recordOptionGroup_->addButton(option, i);
        recordOptions_[i] = option;
    }
    layerStrip_ = new LayerStripBox(state_, client);
    layerStrip_->setGeometry(DesignPlace("PicLayerSelect"));
    // The pointer stands in the strip's left margin, beside the front of the selected slab.
    stripPointer_ = MakeLabel(client, "LabelLayerPointer", QStringLiteral("\u25C6"));
}

void MainWindow::BuildLayerFrame(QWidget* client) {
    recordFrame_ = Make<QGroupBox>(client, "FrameLayerData");
    recordFrame_->setTitle(tr("Layer X Properties"));

    MakeLabel(recordFrame_, "LabelDescription", tr("Description"));
    descriptionEdit_ = Make<QLineEdit>(recordFrame_, "TextLayerDescrip");
    MakeLabel(recordFrame_, "LabelWidth", tr("Width"));
    widthEdit_ = Make<QLineEdit>(recordFrame_, "TextDevWidth");
    widthUnitLabel_ = MakeLabel(recordFrame_, "LabelWidthUnit", tr("unit"));
    MakeLabel(recordFrame_, "LabelLength", tr("Length"));
    lengthEdit_ = Make<QLineEdit>(recordFrame_, "TextDevLength");
    lengthUnitLabel_ = MakeLabel(recordFrame_, "LabelLengthUnit", tr("unit"));

    layerOnlyFrame_ = Make<QFrame>(recordFrame_, "FrameLayersOnly");
    MakeLabel(layerOnlyFrame_, "LabelMaterial", tr("Material"));
    materialList_ = Make<QComboBox>(layerOnlyFrame_, "ComboMaterials");
    MakeLabel(layerOnlyFrame_, "LabelThickness", tr("Thickness"));
    thicknessEdit_ = Make<QLineEdit>(layerOnlyFrame_, "TextThickness");
    thicknessUnitLabel_ = MakeLabel(layerOnlyFrame_, "LabelThickUnit", tr("unit"));
    MakeLabel(layerOnlyFrame_, "LabelThermAng", tr("Thermal Spreading Angle"));
    angleBar_ = Make<QScrollBar>(layerOnlyFrame_, "HScrAngle");
    angleBar_->setOrientation(Qt::Horizontal);
    angleBar_->setRange(0, 45);
    angleBar_->setSingleStep(1);
    angleBar_->setPageStep(5);
    angleBar_->setFocusPolicy(Qt::TabFocus);
    angleValueLabel_ = MakeLabel(layerOnlyFrame_, "LabelThermAngValue", QStringLiteral("45"));
    MakeLabel(layerOnlyFrame_, "LabelColor", tr("Color"));
    colorSwatch_ = Make<ColorSwatch>(layerOnlyFrame_, "PicColor");
    colorSwatch_->setToolTip(tr("Left click: next colour; right click: previous colour"));

    // Only the frame's caption is bold; the weight is set on the children explicitly so that
    // they do not inherit the caption's.
    QFont plain = client->font();
    plain.setBold(false);
    QFont bold = plain;
    bold.setBold(true);
    recordFrame_->setFont(bold);
    for (QWidget* child : recordFrame_->findChildren<QWidget*>()) child->setFont(plain);
}

void MainWindow::BuildDeviceFrame(QWidget* client) {
    deviceOnlyFrame_ = Make<QFrame>(client, "FrameDeviceOnly");
    MakeLabel(deviceOnlyFrame_, "LabelThermOutput", tr("Power Dissipation"));
    powerEdit_ = Make<QLineEdit>(deviceOnlyFrame_, "TextThermOutput");
    powerUnitLabel_ = MakeLabel(deviceOnlyFrame_, "LabelThermOutUnit", QStringLiteral("W"));
    MakeLabel(deviceOnlyFrame_, "LabelIsotherm", tr("Isothermal Temperature"));
    isothermEdit_ = Make<QLineEdit>(deviceOnlyFrame_, "TextIsotherm");
    isothermUnitLabel_ = MakeLabel(deviceOnlyFrame_, "LabelIsothermUnit", QStringLiteral("C"));
}

void MainWindow::BuildViews(QWidget* client) {
    scaleView_ = new ScaleViewBox(state_, client);
    scaleView_->setGeometry(DesignPlace("PicScaleView"));
    dataTable_ = new DataTableBox(state_, client);
    dataTable_->setGeometry(DesignPlace("PicDisplayData"));
    stripPointer_->raise();
}

void MainWindow::FitLabels() {
    const auto label = [this](const char* name) { return findChild<QLabel*>(QLatin1String(name)); };
    FitBeside(label("LabelDescription"), descriptionEdit_);
    FitBeside(label("LabelWidth"), widthEdit_);
    FitBeside(label("LabelLength"), lengthEdit_);
    FitBeside(label("LabelThickness"), thicknessEdit_);
    FitBeside(widthUnitLabel_, nullptr);
    FitBeside(lengthUnitLabel_, nullptr);
    FitBeside(thicknessUnitLabel_, nullptr);
    for (const char* name : {"LabelModel", "LabelMaterial", "LabelThermAng", "LabelColor",
                             "LabelThermOutput", "LabelIsotherm"}) {
        FitAbove(label(name));
    }
}

void MainWindow::SetTabOrder() {
    const std::array<QWidget*, 16> order{
        modelNameEdit_,     commentsButton_, addLayerButton_, copyLayerButton_,
        deleteLayerButton_, moveUpButton_,   moveDownButton_, recordOptions_[0],
        descriptionEdit_,   widthEdit_,      lengthEdit_,     materialList_,
        thicknessEdit_,     angleBar_,       colorSwatch_,    powerEdit_,
    };
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    setTabOrder(powerEdit_, isothermEdit_);
}

}  // namespace strativex
