#include "dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "dialogs/named_widget.h"
#include "dialogs/program_logo.h"
#include "views/report/program_version.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr int kLogoTwips = kTwipsPerInch;  // an inch square
constexpr double kNameScale = 1.8;

QLabel* NameLabel(const QString& name, QWidget* parent) {
    auto* label = NamedWidget<QLabel>(QStringLiteral("LblProgramName"), name, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * kNameScale);
    label->setFont(font);
    return label;
}

QLayout* TextColumn(const AppState& state, QWidget* parent) {
    auto* column = new QVBoxLayout;
    column->addWidget(NameLabel(QString::fromStdString(state.ProgramName), parent));
    column->addWidget(NamedWidget<QLabel>(QStringLiteral("LblVersion"),
                                          QStringLiteral("Version %1").arg(ProgramVersionText()),
                                          parent));
    column->addWidget(NamedWidget<QLabel>(
        QStringLiteral("LblDescription"),
        QStringLiteral("Thermal resistance and temperatures\nof a heat source on a layer stack"),
        parent));
    column->addStretch();
    return column;
}

}  // namespace

AboutDialog::AboutDialog(const AppState& state, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromStdString(state.ProgramName)));
    auto* logo = NamedWidget<QLabel>(QStringLiteral("PicLogo"), this);
    logo->setPixmap(ProgramLogo(Pixels(kLogoTwips)));

    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(Pixels(240));
    top->addLayout(TextColumn(state, this));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(top);
    layout->addWidget(ClosingOkButton(this));
}

}  // namespace strativex
