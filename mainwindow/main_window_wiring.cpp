#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "mainwindow/color_swatch.h"
#include "mainwindow/layer_editor.h"
#include "mainwindow/main_window.h"
#include "mainwindow/view_boxes.h"

namespace strativex {

// Every connection and event filter of the window lives here, so that the path from a control
// to its handler is found in one place.
void MainWindow::Wire() {
    connect(&document_, &ModelDocument::changed, this, &MainWindow::ShowDocument);
    connect(&document_, &ModelDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(&document_.History(), &QUndoStack::indexChanged, this, &MainWindow::ShowHistory);
    connect(&document_.History(), &QUndoStack::cleanChanged, this, &MainWindow::ShowHistory);
    ShowHistory();
    WireMenus();
    WireCommands();
    WireFields();
    WireViews();
}

void MainWindow::WireMenus() {
    connect(newAction_, &QAction::triggered, this, &MainWindow::NewModel);
    connect(openAction_, &QAction::triggered, this, &MainWindow::OpenModel);
    connect(saveAction_, &QAction::triggered, this, [this] {
        if (CommitActiveField()) SaveModel();
    });
    connect(saveAsAction_, &QAction::triggered, this, [this] {
        if (CommitActiveField()) SaveModelAs();
    });
    connect(printAction_, &QAction::triggered, this, &MainWindow::PrintCommand);
    connect(previewAction_, &QAction::triggered, this, &MainWindow::PrintPreviewCommand);
    connect(exportPdfAction_, &QAction::triggered, this, &MainWindow::ExportPdfCommand);
    for (int k = 1; k <= 4; ++k) {
        connect(recentActions_[k], &QAction::triggered, this, [this, k] { OpenRecent(k); });
    }
    connect(exitAction_, &QAction::triggered, this, &MainWindow::ExitProgram);
    connect(undoAction_, &QAction::triggered, this, &MainWindow::UndoCommand);
    connect(redoAction_, &QAction::triggered, this, &MainWindow::RedoCommand);
    connect(customMaterialsAction_, &QAction::triggered, this, &MainWindow::CustomMaterialsCommand);
    connect(inchesAction_, &QAction::triggered, this,
            [this] { SelectUnitCommand(LengthUnit::Inches); });
    connect(millimetersAction_, &QAction::triggered, this,
            [this] { SelectUnitCommand(LengthUnit::Millimeters); });
    connect(digitsAction_, &QAction::triggered, this, &MainWindow::DecimalDigitsCommand);
    connect(locationsAction_, &QAction::triggered, this, &MainWindow::FileLocationsCommand);
    connect(userInfoAction_, &QAction::triggered, this, &MainWindow::UserInfoCommand);
    connect(topicsAction_, &QAction::triggered, this,
            [this] { OpenHelpDocument(QStringLiteral("/SX-Topics.pdf")); });
    connect(howToAction_, &QAction::triggered, this,
            [this] { OpenHelpDocument(QStringLiteral("/SX-How To.pdf")); });
    connect(glossaryAction_, &QAction::triggered, this,
            [this] { OpenHelpDocument(QStringLiteral("/SX-Glossary.pdf")); });
    connect(contactAction_, &QAction::triggered, this, &MainWindow::ContactCommand);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::AboutCommand);
}

void MainWindow::WireCommands() {
    connect(commentsButton_, &QPushButton::clicked, this, &MainWindow::CommentsCommand);
    connect(recordOptionGroup_, &QButtonGroup::idClicked, this, [this](int index) {
        if (CommitActiveField()) {
            SelectRecord(index);
        } else {
            recordOptions_[document_.CurrentLayer()]->setChecked(true);
        }
    });
    connect(colorSwatch_, &ColorSwatch::stepped, layers_, &LayerEditor::StepColor);
}

void MainWindow::WireFields() {
    const std::array<QLineEdit*, 7> edits{modelNameEdit_, descriptionEdit_, widthEdit_,
                                          lengthEdit_,    thicknessEdit_,   powerEdit_,
                                          isothermEdit_};
    for (QLineEdit* edit : edits) {
        edit->installEventFilter(this);
        // Enter commits as leaving would; the focus stays.
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] {
            if (const auto field = FieldOf(edit)) CommitField(*field, Refusal::Tell);
        });
    }
    materialList_->installEventFilter(this);
    connect(materialList_, &QComboBox::activated, this, &MainWindow::MaterialPicked);
    angleBar_->installEventFilter(this);
    connect(angleBar_, &QScrollBar::valueChanged, this, &MainWindow::AngleChanged);
    colorSwatch_->installEventFilter(this);
    for (QPushButton* button : {commentsButton_, addLayerButton_, copyLayerButton_,
                                deleteLayerButton_, moveUpButton_, moveDownButton_}) {
        button->installEventFilter(this);
    }
    for (QRadioButton* option : recordOptions_) option->installEventFilter(this);
}

void MainWindow::WireViews() {
    for (QWidget* box : {scaleView_, dataTable_, layerStrip_}) {
        box->installEventFilter(this);
        connect(static_cast<ViewBox*>(box), &ViewBox::recordClicked, this, [this](int record) {
            if (CommitActiveField()) SelectRecord(record);
        });
    }
}

}  // namespace strativex
