#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "mainwindow/color_swatch.h"
#include "mainwindow/layer_editor.h"
#include "mainwindow/main_window.h"
#include "mainwindow/model_form.h"
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

// The window builds every control in its design place and hands the fields to the form and the
// layer buttons to the layer commands; it keeps only what it lays out or shows itself.
void MainWindow::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client);
    ModelForm::Fields fields{};
    LayerEditor::Buttons buttons{};
    BuildHeader(client, fields, buttons);
    BuildLayerSelect(client);
    BuildLayerFrame(client, fields);
    BuildDeviceFrame(client, fields);
    BuildViews(client);
    FitLabels(fields);
    SetTabOrder(fields, buttons);
    form_ = new ModelForm(document_, state_, desktop_, fields, *this);
    form_->GuardPresses({commentsButton_, buttons.Add, buttons.Copy, buttons.Delete, buttons.MoveUp,
                         buttons.MoveDown});
    layers_ =
        new LayerEditor(document_, state_.prefs.Defaults, form_->EditsCommitter(), buttons, this);
    connect(fields.Swatch, &ColorSwatch::stepped, layers_, &LayerEditor::StepColor);
}

void MainWindow::BuildHeader(QWidget* client, ModelForm::Fields& fields,
                             LayerEditor::Buttons& buttons) {
    logo_ = Make<QLabel>(client, "PicLogo");
    titleLabel_ =
        MakeLabel(client, "LabelTitle", tr("Thermal Resistance & Temperature Calculator"));
    titleLabel_->setWordWrap(true);
    titleLabel_->setAlignment(Qt::AlignCenter);
    QFont titleFont = titleLabel_->font();
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);

    MakeLabel(client, "LabelModel", tr("Model Name:"));
    fields.ModelName = Make<QLineEdit>(client, "TextModelName");
    commentsButton_ = MakeButton(client, "CmdComments", tr("Model Comments"));
    buttons.Add = MakeButton(client, "CmdAddLayer", tr("Add a Layer"));
    buttons.Copy = MakeButton(client, "CmdCopyLayer", tr("Copy Layer"));
    buttons.Delete = MakeButton(client, "CmdDeleteLayer", tr("Delete Layer"));
    buttons.MoveUp = MakeButton(client, "CmdMoveLayerUp", QStringLiteral("\u25B2"));
    buttons.MoveLabel = MakeLabel(client, "LabelMoveLayer", tr("Move Layer"));
    buttons.MoveLabel->setWordWrap(true);
    buttons.MoveLabel->setAlignment(Qt::AlignCenter);
    buttons.MoveDown = MakeButton(client, "CmdMoveLayerDown", QStringLiteral("\u25BC"));
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

void MainWindow::BuildLayerFrame(QWidget* client, ModelForm::Fields& fields) {
    QGroupBox* frame = Make<QGroupBox>(client, "FrameLayerData");
    frame->setTitle(tr("Layer X Properties"));
    fields.RecordFrame = frame;

    MakeLabel(frame, "LabelDescription", tr("Description"));
    fields.Description = Make<QLineEdit>(frame, "TextLayerDescrip");
    MakeLabel(frame, "LabelWidth", tr("Width"));
    fields.Width = Make<QLineEdit>(frame, "TextDevWidth");
    fields.WidthUnit = MakeLabel(frame, "LabelWidthUnit", tr("unit"));
    MakeLabel(frame, "LabelLength", tr("Length"));
    fields.Length = Make<QLineEdit>(frame, "TextDevLength");
    fields.LengthUnit = MakeLabel(frame, "LabelLengthUnit", tr("unit"));

    QFrame* layerOnly = Make<QFrame>(frame, "FrameLayersOnly");
    fields.LayerOnly = layerOnly;
    MakeLabel(layerOnly, "LabelMaterial", tr("Material"));
    fields.Material = Make<QComboBox>(layerOnly, "ComboMaterials");
    MakeLabel(layerOnly, "LabelThickness", tr("Thickness"));
    fields.Thickness = Make<QLineEdit>(layerOnly, "TextThickness");
    fields.ThicknessUnit = MakeLabel(layerOnly, "LabelThickUnit", tr("unit"));
    MakeLabel(layerOnly, "LabelThermAng", tr("Thermal Spreading Angle"));
    QScrollBar* angle = Make<QScrollBar>(layerOnly, "HScrAngle");
    angle->setOrientation(Qt::Horizontal);
    angle->setRange(0, 45);
    angle->setSingleStep(1);
    angle->setPageStep(5);
    angle->setFocusPolicy(Qt::TabFocus);
    fields.Angle = angle;
    fields.AngleValue = MakeLabel(layerOnly, "LabelThermAngValue", QStringLiteral("45"));
    MakeLabel(layerOnly, "LabelColor", tr("Color"));
    fields.Swatch = Make<ColorSwatch>(layerOnly, "PicColor");
    fields.Swatch->setToolTip(tr("Left click: next colour; right click: previous colour"));

    // Only the frame's caption is bold; the weight is set on the children explicitly so that
    // they do not inherit the caption's.
    QFont plain = client->font();
    plain.setBold(false);
    QFont bold = plain;
    bold.setBold(true);
    frame->setFont(bold);
    for (QWidget* child : frame->findChildren<QWidget*>()) child->setFont(plain);
}

// What only the heat source has stands where what only a layer has does, and shows instead.
void MainWindow::BuildDeviceFrame(QWidget* client, ModelForm::Fields& fields) {
    QFrame* frame = Make<QFrame>(client, "FrameDeviceOnly");
    fields.DeviceOnly = frame;
    MakeLabel(frame, "LabelThermOutput", tr("Power Dissipation"));
    fields.Power = Make<QLineEdit>(frame, "TextThermOutput");
    MakeLabel(frame, "LabelThermOutUnit", QStringLiteral("W"));
    MakeLabel(frame, "LabelIsotherm", tr("Isothermal Temperature"));
    fields.Isotherm = Make<QLineEdit>(frame, "TextIsotherm");
    MakeLabel(frame, "LabelIsothermUnit", QStringLiteral("\u00B0C"));
    frame->move(fields.RecordFrame->pos() + fields.LayerOnly->pos());
}

void MainWindow::BuildViews(QWidget* client) {
    scaleView_ = new ScaleViewBox(state_, client);
    scaleView_->setGeometry(DesignPlace("PicScaleView"));
    dataTable_ = new DataTableBox(state_, client);
    dataTable_->setGeometry(DesignPlace("PicDisplayData"));
    stripPointer_->raise();
}

void MainWindow::FitLabels(const ModelForm::Fields& fields) {
    const auto label = [this](const char* name) { return findChild<QLabel*>(QLatin1String(name)); };
    FitBeside(label("LabelDescription"), fields.Description);
    FitBeside(label("LabelWidth"), fields.Width);
    FitBeside(label("LabelLength"), fields.Length);
    FitBeside(label("LabelThickness"), fields.Thickness);
    FitBeside(fields.WidthUnit, nullptr);
    FitBeside(fields.LengthUnit, nullptr);
    FitBeside(fields.ThicknessUnit, nullptr);
    for (const char* name : {"LabelModel", "LabelMaterial", "LabelThermAng", "LabelColor",
                             "LabelThermOutput", "LabelIsotherm"}) {
        FitAbove(label(name));
    }
}

void MainWindow::SetTabOrder(const ModelForm::Fields& fields, const LayerEditor::Buttons& buttons) {
    const std::array<QWidget*, 17> order{
        fields.ModelName, commentsButton_,  buttons.Add,       buttons.Copy,       buttons.Delete,
        buttons.MoveUp,   buttons.MoveDown, recordOptions_[0], fields.Description, fields.Width,
        fields.Length,    fields.Material,  fields.Thickness,  fields.Angle,       fields.Swatch,
        fields.Power,     fields.Isotherm,
    };
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace strativex
