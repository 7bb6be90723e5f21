#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

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

// Commands are clicked, never tabbed into: the field being edited keeps the focus, so that a
// command can commit it first and stop when it refuses its value.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QRect& place) {
    auto* button = Make<QPushButton>(parent, name, place);
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client);

    PicLogo = Make<QLabel>(client, "PicLogo", TwipRect(6630, 15, 2295, 1050));
    LabelTitle = MakeLabel(client, "LabelTitle", tr("Thermal Resistance & Temperature Calculator"),
                           TwipRect(5310, 30, 2490, 1000));
    LabelTitle->setWordWrap(true);
    LabelTitle->setAlignment(Qt::AlignCenter);
    QFont titleFont = LabelTitle->font();
    titleFont.setBold(true);
    LabelTitle->setFont(titleFont);

    LabelModel = MakeLabel(client, "LabelModel", tr("Model Name:"), TwipRect(195, 60, 1425, 240));
    TextModelName = Make<QLineEdit>(client, "TextModelName", TwipRect(150, 285, 2820, 315));
    CmdComments =
        MakeButton(client, "CmdComments", tr("Model Comments"), TwipRect(780, 690, 1575, 330));
    CmdAddLayer =
        MakeButton(client, "CmdAddLayer", tr("Add a Layer"), TwipRect(3255, 15, 1365, 300));
    CmdCopyLayer =
        MakeButton(client, "CmdCopyLayer", tr("Copy Layer"), TwipRect(3255, 375, 1365, 300));
    CmdDeleteLayer =
        MakeButton(client, "CmdDeleteLayer", tr("Delete Layer"), TwipRect(3255, 735, 1365, 300));
    CmdMoveLayerUp = MakeButton(client, "CmdMoveLayerUp", QStringLiteral("\u25B2"),
                                TwipRect(4830, 45, 252, 276));
    LabelMoveLayer =
        MakeLabel(client, "LabelMoveLayer", tr("Move Layer"), TwipRect(4740, 330, 450, 420));
    LabelMoveLayer->setWordWrap(true);
    LabelMoveLayer->setAlignment(Qt::AlignCenter);
    CmdMoveLayerDown = MakeButton(client, "CmdMoveLayerDown", QStringLiteral("\u25BC"),
                                  TwipRect(4830, 765, 252, 276));

    FrameLayerSelect = Make<QFrame>(client, "FrameLayerSelect", TwipRect(2880, 1065, 345, 3795));
    OptLayerGroup = new QButtonGroup(this);
    for (int i = 0; i < kRecordCount; ++i) {
        auto* option = new QRadioButton(FrameLayerSelect);
        option->setObjectName(QStringLiteral("OptLayer_%1").arg(i));
        option->setFocusPolicy(Qt::NoFocus);
        option->setGeometry(Px(60), 0, Px(300), Px(240));
        option->hide();
        OptLayerGroup->addButton(option, i);
        OptLayer[i] = option;
    }
    PicLayerSelect = new LayerStripBox(state_, client);
    PicLayerSelect->setGeometry(TwipRect(3285, 1140, 1800, 3705));
    // The pointer stands in the strip's left margin, beside the front of the selected slab.
    LabelLayerPointer = MakeLabel(client, "LabelLayerPointer", QStringLiteral("\u25C6"),
                                  TwipRect(3300, 1140, 180, 240));

    BuildLayerFrame();
    BuildDeviceFrame();

    PicScaleView = new ScaleViewBox(state_, client);
    PicScaleView->setGeometry(TwipRect(165, 4950, 4935, 2145));
    PicDisplayData = new DataTableBox(state_, client);
    PicDisplayData->setGeometry(TwipRect(5175, 1125, 3675, 5970));
    LabelLayerPointer->raise();
}

void MainWindow::BuildLayerFrame() {
    QWidget* client = centralWidget();
    FrameLayerData = Make<QGroupBox>(client, "FrameLayerData", TwipRect(165, 1065, 2655, 3795));
    FrameLayerData->setTitle(tr("Layer X Properties"));

    MakeLabel(FrameLayerData, "LabelDescription", tr("Description"), TwipRect(90, 300, 900, 240));
    TextLayerDescrip =
        Make<QLineEdit>(FrameLayerData, "TextLayerDescrip", TwipRect(1005, 270, 1560, 300));
    MakeLabel(FrameLayerData, "LabelWidth", tr("Width"), TwipRect(90, 630, 735, 240));
    TextDevWidth = Make<QLineEdit>(FrameLayerData, "TextDevWidth", TwipRect(840, 600, 1125, 300));
    LabelWidthUnit =
        MakeLabel(FrameLayerData, "LabelWidthUnit", tr("unit"), TwipRect(2025, 630, 540, 240));
    MakeLabel(FrameLayerData, "LabelLength", tr("Length"), TwipRect(90, 975, 735, 240));
    TextDevLength = Make<QLineEdit>(FrameLayerData, "TextDevLength", TwipRect(840, 945, 1125, 300));
    LabelLengthUnit =
        MakeLabel(FrameLayerData, "LabelLengthUnit", tr("unit"), TwipRect(2025, 975, 540, 240));

    FrameLayersOnly =
        Make<QFrame>(FrameLayerData, "FrameLayersOnly", TwipRect(90, 1320, 2475, 1710));
    MakeLabel(FrameLayersOnly, "LabelMaterial", tr("Material"), TwipRect(0, 0, 2475, 225));
    ComboMaterials =
        Make<QComboBox>(FrameLayersOnly, "ComboMaterials", TwipRect(0, 225, 2475, 330));
    MakeLabel(FrameLayersOnly, "LabelThickness", tr("Thickness"), TwipRect(0, 630, 900, 240));
    TextThickness =
        Make<QLineEdit>(FrameLayersOnly, "TextThickness", TwipRect(915, 600, 1080, 300));
    LabelThickUnit =
        MakeLabel(FrameLayersOnly, "LabelThickUnit", tr("unit"), TwipRect(2055, 630, 420, 240));
    MakeLabel(FrameLayersOnly, "LabelThermAng", tr("Thermal Spreading Angle"),
              TwipRect(0, 945, 2475, 240));
    HScrAngle = Make<QScrollBar>(FrameLayersOnly, "HScrAngle", TwipRect(0, 1200, 1935, 240));
    HScrAngle->setOrientation(Qt::Horizontal);
    HScrAngle->setRange(0, 45);
    HScrAngle->setSingleStep(1);
    HScrAngle->setPageStep(5);
    LabelThermAngValue = MakeLabel(FrameLayersOnly, "LabelThermAngValue", QStringLiteral("45"),
                                   TwipRect(2010, 1200, 465, 240));
    MakeLabel(FrameLayersOnly, "LabelColor", tr("Color"), TwipRect(0, 1485, 735, 225));
    PicColor = Make<QLabel>(FrameLayersOnly, "PicColor", TwipRect(750, 1470, 600, 240));
    PicColor->setAutoFillBackground(true);
    PicColor->setFrameShape(QFrame::Box);
    PicColor->setToolTip(tr("Left click: next colour; right click: previous colour"));

    // Only the frame's caption is bold; the weight is set on the children explicitly so that
    // they do not inherit the caption's.
    QFont plain = client->font();
    plain.setBold(false);
    QFont bold = plain;
    bold.setBold(true);
    FrameLayerData->setFont(bold);
    for (QWidget* child : FrameLayerData->findChildren<QWidget*>()) child->setFont(plain);
}

void MainWindow::BuildDeviceFrame() {
    QWidget* client = centralWidget();
    FrameDeviceOnly = Make<QFrame>(client, "FrameDeviceOnly", TwipRect(0, 0, 2400, 1584));
    MakeLabel(FrameDeviceOnly, "LabelThermOutput", tr("Power Dissipation"),
              TwipRect(0, 0, 2400, 240));
    TextThermOutput =
        Make<QLineEdit>(FrameDeviceOnly, "TextThermOutput", TwipRect(0, 255, 1125, 300));
    LabelThermOutUnit = MakeLabel(FrameDeviceOnly, "LabelThermOutUnit", QStringLiteral("W"),
                                  TwipRect(1185, 285, 600, 240));
    MakeLabel(FrameDeviceOnly, "LabelIsotherm", tr("Isothermal Temperature"),
              TwipRect(0, 690, 2400, 240));
    TextIsotherm = Make<QLineEdit>(FrameDeviceOnly, "TextIsotherm", TwipRect(0, 945, 1125, 300));
    LabelIsothermUnit = MakeLabel(FrameDeviceOnly, "LabelIsothermUnit", QStringLiteral("C"),
                                  TwipRect(1185, 975, 600, 240));
}

}  // namespace strativex
