#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

#include "dialogs/custom_materials_dialog.h"
#include "dialogs/named_widget.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr int kClientWidthTwips = 5505;
constexpr int kMarginTwips = 195;
// The formula reads larger than the captions around it, with its exponent and index smaller.
constexpr int kFormulaPointGain = 3;

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = NamedWidget<QPushButton>(name, caption, parent);
    // The window has no default button: Enter in a field commits nothing and closes nothing.
    button->setAutoDefault(false);
    return button;
}

QRect TwipPlace(int left, int top, int width, int height) {
    return QRect(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

// A caption at its design place, as wide and high as its text needs.
void PlaceLabel(QLabel* label, int left, int top) {
    label->setGeometry(QRect(QPoint(Pixels(left), Pixels(top)), label->sizeHint()));
}

// A box at its design place, made higher where the desktop's font needs the room.
void PlaceBox(QWidget* box, int left, int top, int width, int height) {
    QRect place = TwipPlace(left, top, width, height);
    place.setHeight(std::max(place.height(), box->sizeHint().height()));
    box->setGeometry(place);
}

}  // namespace

void CustomMaterialsDialog::BuildControls() {
    materialList_ = NamedWidget<QListWidget>(QStringLiteral("ListCustMats"), this);
    nameLabel_ =
        NamedWidget<QLabel>(QStringLiteral("LabelMatName"), QStringLiteral("Material Name:"), this);
    nameEdit_ = NamedWidget<QLineEdit>(QStringLiteral("txtMatName"), this);
    nameLabel_->setBuddy(nameEdit_);
    conductivityHeading_ = NamedWidget<QLabel>(QStringLiteral("Label2"),
                                               QStringLiteral("Thermal Conductivity:"), this);
    BuildFormula();
    const std::array<QString, 2> propCaptions{QStringLiteral("A"), QStringLiteral("B*")};
    for (int k = 0; k < 2; ++k) {
        propertyEdits_[k] = NamedWidget<QLineEdit>(QStringLiteral("txtMatProp_%1").arg(k), this);
        propertyLabels_[k] =
            NamedWidget<QLabel>(QStringLiteral("LabelMatProp_%1").arg(k), propCaptions[k], this);
        propertyLabels_[k]->setBuddy(propertyEdits_[k]);
    }
    temperatureNote_ = NamedWidget<QLabel>(QStringLiteral("Label4"),
                                           QStringLiteral("T= temp in degrees Kelvin"), this);
    conductivityNote_ = NamedWidget<QLabel>(QStringLiteral("Label5"),
                                            QStringLiteral("K= conductivity in W/cm-degK"), this);
    constantNote_ = NamedWidget<QLabel>(QStringLiteral("Label1"),
                                        QStringLiteral("* For constant thermal conductivity (no "
                                                       "temperature dependence), set B to zero."),
                                        this);
    constantNote_->setWordWrap(true);
    createButton_ = Button(QStringLiteral("cmdCreateMat"), QStringLiteral("Create"), this);
    deleteButton_ = Button(QStringLiteral("cmdDeleteMat"), QStringLiteral("Delete"), this);
    acceptButton_ = Button(QStringLiteral("cmdOK"), QStringLiteral("Accept Changes"), this);
    cancelButton_ = Button(QStringLiteral("CmdCancel"), QStringLiteral("Cancel"), this);
    keptNote_ = NamedWidget<QLabel>(QStringLiteral("LabelKeptNote"), this);
    keptNote_->setWordWrap(true);
    keptNote_->hide();
    BuildHeatControls();
}

void CustomMaterialsDialog::BuildHeatControls() {
    heatHeading_ = NamedWidget<QLabel>(QStringLiteral("LabelHeatCapacity"),
                                       QStringLiteral("Heat Capacity (blank: none):"), this);
    const std::array<QString, 2> names{QStringLiteral("txtMatDensity"),
                                       QStringLiteral("txtMatSpecificHeat")};
    const std::array<QString, 2> captions{QStringLiteral("Density, kg/m\u00B3"),
                                          QStringLiteral("Specific heat, J/(kg\u00B7K)")};
    for (std::size_t k = 0; k < 2; ++k) {
        heatEdits_[k] = NamedWidget<QLineEdit>(names[k], this);
        heatLabels_[k] =
            NamedWidget<QLabel>(QStringLiteral("Label") + names[k].mid(3), captions[k], this);
        heatLabels_[k]->setBuddy(heatEdits_[k]);
    }
}

// K = AT^B with the conductivity's index θ: three captions, so that the exponent can stand
// raised and the index lowered.
void CustomMaterialsDialog::BuildFormula() {
    const std::array<QString, 3> texts{QStringLiteral("K   = AT"), QStringLiteral("B"),
                                       QStringLiteral("\u03B8")};
    for (int k = 0; k < 3; ++k) {
        formulaLabels_[k] = NamedWidget<QLabel>(QStringLiteral("Label3_%1").arg(k), texts[k], this);
    }
    QFont large = formulaLabels_[0]->font();
    large.setPointSize(large.pointSize() + kFormulaPointGain);
    formulaLabels_[0]->setFont(large);
}

// The design's places, with the right-hand captions, the footnote and the buttons moved
// right or down, and the window grown, wherever the desktop's font needs more room than the
// design gave.
void CustomMaterialsDialog::PlaceControls() {
    PlaceLabel(nameLabel_, 2400, 90);
    PlaceBox(nameEdit_, 2280, 390, 2715, 360);
    PlaceLabel(conductivityHeading_, 2430, 840);
    PlaceFormula();
    PlaceProperties();
    PlaceLabel(temperatureNote_, 3285, 1890);
    PlaceLabel(conductivityNote_, 3105, 2085);
    PlaceBox(createButton_, 2280, 1995, 765, 345);
    PlaceBox(deleteButton_, 2295, 2520, 765, 345);
    const int width = ClientWidth();
    PlaceButtons(PlaceHeatCapacity(PlaceFootnote(width)));
    const QRect buttons = cancelButton_->geometry();
    const QRect list = TwipPlace(kMarginTwips, 165, 1905, 0);
    materialList_->setGeometry(list.left(), list.top(), list.width(),
                               buttons.bottom() + 1 - list.top());
    const int heatRight =
        std::max(heatLabels_[0]->geometry().right(), heatLabels_[1]->geometry().right());
    setFixedSize(std::max({width, buttons.right() + 1 + Pixels(kMarginTwips),
                           heatRight + 1 + Pixels(kMarginTwips)}),
                 buttons.bottom() + 1 + Pixels(kMarginTwips));
}

// The fields stand clear of the "Thermal Conductivity:" caption, their captions beside them.
void CustomMaterialsDialog::PlaceProperties() {
    const int left =
        std::max(Pixels(4125), conductivityHeading_->geometry().right() + 1 + Pixels(60));
    const std::array<int, 2> tops{960, 1500};
    const std::array<int, 2> captionTops{945, 1500};
    for (int k = 0; k < 2; ++k) {
        const int height = std::max(Pixels(360), propertyEdits_[k]->sizeHint().height());
        propertyEdits_[k]->setGeometry(left, Pixels(tops[k]), Pixels(870), height);
        propertyLabels_[k]->setGeometry(QRect(
            QPoint(propertyEdits_[k]->geometry().right() + 1 + Pixels(75), Pixels(captionTops[k])),
            propertyLabels_[k]->sizeHint()));
    }
}

int CustomMaterialsDialog::ClientWidth() const {
    int right = Pixels(kClientWidthTwips - kMarginTwips);
    for (const QWidget* widget :
         std::initializer_list<const QWidget*>{nameEdit_, propertyLabels_[0], propertyLabels_[1],
                                               temperatureNote_, conductivityNote_}) {
        right = std::max(right, widget->geometry().right() + 1);
    }
    return right + Pixels(kMarginTwips);
}

// Beside the Delete button; returns the top of the buttons, which stand below it.
int CustomMaterialsDialog::PlaceFootnote(int clientWidth) {
    const QRect design = TwipPlace(2955, 2370, 2460, 675);
    const int left = std::max(design.left(), deleteButton_->geometry().right() + 1 + Pixels(60));
    const int width = clientWidth - left - Pixels(90);
    const int height = std::max(design.height(), constantNote_->heightForWidth(width));
    constantNote_->setGeometry(left, design.top(), width, height);
    return std::max(Pixels(3150), design.top() + height + Pixels(105));
}

void CustomMaterialsDialog::PlaceButtons(int top) {
    const QRect design = TwipPlace(2370, 0, 1335, 390);
    const QSize size(std::max(design.width(), acceptButton_->sizeHint().width()),
                     std::max(design.height(), acceptButton_->sizeHint().height()));
    acceptButton_->setGeometry(QRect(QPoint(design.left(), top), size));
    const int cancelLeft =
        std::max(Pixels(3930), acceptButton_->geometry().right() + 1 + Pixels(225));
    cancelButton_->setGeometry(QRect(QPoint(cancelLeft, top), size));
}

// The exponent follows the end of "AT" and the index the "K", wherever the desktop's font
// puts them; the heights keep the design's offsets.
void CustomMaterialsDialog::PlaceFormula() {
    PlaceLabel(formulaLabels_[0], 2490, 1380);
    const QFontMetrics metrics(formulaLabels_[0]->font());
    const QPoint origin = formulaLabels_[0]->pos();
    const int exponentLeft = origin.x() + metrics.horizontalAdvance(formulaLabels_[0]->text());
    const int indexLeft = origin.x() + metrics.horizontalAdvance(QStringLiteral("K"));
    formulaLabels_[1]->setGeometry(
        QRect(QPoint(exponentLeft, origin.y() - Pixels(45)), formulaLabels_[1]->sizeHint()));
    formulaLabels_[2]->setGeometry(
        QRect(QPoint(indexLeft, origin.y() + Pixels(120)), formulaLabels_[2]->sizeHint()));
}

// Between the footnote and the buttons, since the design has no room for it; returns the top
// of the buttons.
int CustomMaterialsDialog::PlaceHeatCapacity(int top) {
    heatHeading_->setGeometry(QRect(QPoint(Pixels(2280), top), heatHeading_->sizeHint()));
    int rowTop = heatHeading_->geometry().bottom() + 1 + Pixels(60);
    for (std::size_t k = 0; k < 2; ++k) {
        const int height = std::max(Pixels(360), heatEdits_[k]->sizeHint().height());
        heatEdits_[k]->setGeometry(Pixels(2280), rowTop, Pixels(1200), height);
        const QSize caption = heatLabels_[k]->sizeHint();
        heatLabels_[k]->setGeometry(QRect(QPoint(heatEdits_[k]->geometry().right() + 1 + Pixels(75),
                                                 rowTop + (height - caption.height()) / 2),
                                          caption));
        rowTop += height + Pixels(60);
    }
    return rowTop + Pixels(105);
}

// Below the buttons, in a strip the window grows by only when there is something to say.
void CustomMaterialsDialog::PlaceKeptNote() {
    const int noteWidth = width() - 2 * Pixels(kMarginTwips);
    const int top = cancelButton_->geometry().bottom() + 1 + Pixels(105);
    keptNote_->setGeometry(Pixels(kMarginTwips), top, noteWidth,
                           keptNote_->heightForWidth(noteWidth));
    keptNote_->show();
    setFixedSize(width(), keptNote_->geometry().bottom() + 1 + Pixels(kMarginTwips));
}

}  // namespace strativex
