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
#include "views/twips.h"

namespace strativex {
namespace {

template <typename Widget>
Widget* Make(QWidget* parent, const char* name, const QRect& place) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(place);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = Make<QLabel>(parent, name, place);
    label->setText(text);
    return label;
}

// Commands are reached by Tab but never take the focus with a click: the field being edited
// keeps it, so that a command can commit it first and stop when it refuses its value.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QRect& place) {
    auto* button = Make<QPushButton>(parent, name, place);
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
    logo_ = Make<QLabel>(client, "PicLogo", TwipRect(6630, 15, 2295, 1050));
    titleLabel_ = MakeLabel(client, "LabelTitle", tr("Thermal Resistance & Temperature Calculator"),
                            TwipRect(5310, 30, 2490, 1000));
    titleLabel_->setWordWrap(true);
    titleLabel_->setAlignment(Qt::AlignCenter);
    QFont titleFont = titleLabel_->font();
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);

    modelNameLabel_ =
        MakeLabel(client, "LabelModel", tr("Model Name:"), TwipRect(195, 60, 1425, 240));
    modelNameEdit_ = Make<QLineEdit>(client, "TextModelName", TwipRect(150, 285, 2820, 315));
    commentsButton_ =
        MakeButton(client, "CmdComments", tr("Model Comments"), TwipRect(780, 690, 1575, 330));
    addLayerButton_ =
        MakeButton(client, "CmdAddLayer", tr("Add a Layer"), TwipRect(3255, 15, 1365, 300));
    copyLayerButton_ =
        MakeButton(client, "CmdCopyLayer", tr("Copy Layer"), TwipRect(3255, 375, 1365, 300));
    deleteLayerButton_ =
        MakeButton(client, "CmdDeleteLayer", tr("Delete Layer"), TwipRect(3255, 735, 1365, 300));
    moveUpButton_ = MakeButton(client, "CmdMoveLayerUp", QStringLiteral("\u25B2"),
                               TwipRect(4830, 45, 252, 276));
    moveLayerLabel_ =
        MakeLabel(client, "LabelMoveLayer", tr("Move Layer"), TwipRect(4740, 330, 450, 420));
    moveLayerLabel_->setWordWrap(true);
    moveLayerLabel_->setAlignment(Qt::AlignCenter);
    moveDownButton_ = MakeButton(client, "CmdMoveLayerDown", QStringLiteral("\u25BC"),
                                 TwipRect(4830, 765, 252, 276));
}

void MainWindow::BuildLayerSelect(QWidget* client) {
    recordOptionFrame_ = Make<QFrame>(client, "FrameLayerSelect", TwipRect(2880, 1065, 345, 3795));
    recordOptionGroup_ = new QButtonGroup(this);
    for (int i = 0; i < kRecordCount; ++i) {
        auto* option = new QRadioButton(recordOptionFrame_);
        option->setObjectName(QStringLiteral("OptLayer_%1").arg(i));
        option->setFocusPolicy(Qt::TabFocus);
        option->setAccessibleName(i == 0 ? tr("Heat source") : tr("Layer %1").arg(i));
        option->setGeometry(Px(60), 0, Px(300), Px(240));
        option->hide();
        recordOptionGroup_->addButton(option, i);
        recordOptions_[i] = option;
    }
    layerStrip_ = new LayerStripBox(state_, client);
    layerStrip_->setGeometry(TwipRect(3285, 1140, 1800, 3705));
    // The pointer stands in the strip's left margin, beside the front of the selected slab.
    stripPointer_ = MakeLabel(client, "LabelLayerPointer", QStringLiteral("\u25C6"),
                              TwipRect(3300, 1140, 180, 240));
}

void MainWindow::BuildLayerFrame(QWidget* client) {
    recordFrame_ = Make<QGroupBox>(client, "FrameLayerData", TwipRect(165, 1065, 2655, 3795));
    recordFrame_->setTitle(tr("Layer X Properties"));

    MakeLabel(recordFrame_, "LabelDescription", tr("Description"), TwipRect(90, 300, 900, 240));
    descriptionEdit_ =
        Make<QLineEdit>(recordFrame_, "TextLayerDescrip", TwipRect(1005, 270, 1560, 300));
    MakeLabel(recordFrame_, "LabelWidth", tr("Width"), TwipRect(90, 630, 735, 240));
    widthEdit_ = Make<QLineEdit>(recordFrame_, "TextDevWidth", TwipRect(840, 600, 1125, 300));
    widthUnitLabel_ =
        MakeLabel(recordFrame_, "LabelWidthUnit", tr("unit"), TwipRect(2025, 630, 540, 240));
    MakeLabel(recordFrame_, "LabelLength", tr("Length"), TwipRect(90, 975, 735, 240));
    lengthEdit_ = Make<QLineEdit>(recordFrame_, "TextDevLength", TwipRect(840, 945, 1125, 300));
    lengthUnitLabel_ =
        MakeLabel(recordFrame_, "LabelLengthUnit", tr("unit"), TwipRect(2025, 975, 540, 240));

    layerOnlyFrame_ = Make<QFrame>(recordFrame_, "FrameLayersOnly", TwipRect(90, 1320, 2475, 1710));
    MakeLabel(layerOnlyFrame_, "LabelMaterial", tr("Material"), TwipRect(0, 0, 2475, 225));
    materialList_ = Make<QComboBox>(layerOnlyFrame_, "ComboMaterials", TwipRect(0, 225, 2475, 330));
    MakeLabel(layerOnlyFrame_, "LabelThickness", tr("Thickness"), TwipRect(0, 630, 900, 240));
    thicknessEdit_ =
        Make<QLineEdit>(layerOnlyFrame_, "TextThickness", TwipRect(915, 600, 1080, 300));
    thicknessUnitLabel_ =
        MakeLabel(layerOnlyFrame_, "LabelThickUnit", tr("unit"), TwipRect(2055, 630, 420, 240));
    MakeLabel(layerOnlyFrame_, "LabelThermAng", tr("Thermal Spreading Angle"),
              TwipRect(0, 945, 2475, 240));
    angleBar_ = Make<QScrollBar>(layerOnlyFrame_, "HScrAngle", TwipRect(0, 1200, 1935, 240));
    angleBar_->setOrientation(Qt::Horizontal);
    angleBar_->setRange(0, 45);
    angleBar_->setSingleStep(1);
    angleBar_->setPageStep(5);
    angleBar_->setFocusPolicy(Qt::TabFocus);
    angleValueLabel_ = MakeLabel(layerOnlyFrame_, "LabelThermAngValue", QStringLiteral("45"),
                                 TwipRect(2010, 1200, 465, 240));
    MakeLabel(layerOnlyFrame_, "LabelColor", tr("Color"), TwipRect(0, 1485, 735, 225));
    colorSwatch_ = Make<ColorSwatch>(layerOnlyFrame_, "PicColor", TwipRect(750, 1470, 600, 240));
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
    deviceOnlyFrame_ = Make<QFrame>(client, "FrameDeviceOnly", TwipRect(0, 0, 2400, 1584));
    MakeLabel(deviceOnlyFrame_, "LabelThermOutput", tr("Power Dissipation"),
              TwipRect(0, 0, 2400, 240));
    powerEdit_ = Make<QLineEdit>(deviceOnlyFrame_, "TextThermOutput", TwipRect(0, 255, 1125, 300));
    powerUnitLabel_ = MakeLabel(deviceOnlyFrame_, "LabelThermOutUnit", QStringLiteral("W"),
                                TwipRect(1185, 285, 600, 240));
    MakeLabel(deviceOnlyFrame_, "LabelIsotherm", tr("Isothermal Temperature"),
              TwipRect(0, 690, 2400, 240));
    isothermEdit_ = Make<QLineEdit>(deviceOnlyFrame_, "TextIsotherm", TwipRect(0, 945, 1125, 300));
    isothermUnitLabel_ = MakeLabel(deviceOnlyFrame_, "LabelIsothermUnit", QStringLiteral("C"),
                                   TwipRect(1185, 975, 600, 240));
}

void MainWindow::BuildViews(QWidget* client) {
    scaleView_ = new ScaleViewBox(state_, client);
    scaleView_->setGeometry(TwipRect(165, 4950, 4935, 2145));
    dataTable_ = new DataTableBox(state_, client);
    dataTable_->setGeometry(TwipRect(5175, 1125, 3675, 5970));
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
