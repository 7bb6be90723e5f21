#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

#include "mainwindow/main_window.h"
#include "mainwindow/material_files.h"
#include "mainwindow/model_form.h"
#include "mainwindow/view_boxes.h"

namespace strativex {

// The window's own connections: the document to what shows it, and the controls that select a
// record or open the comments. The menus connect their entries where they are built, and the
// form and the layer commands their own controls.
void MainWindow::Wire() {
    connect(&document_, &ModelDocument::changed, this, &MainWindow::ShowDocument);
    connect(&document_, &ModelDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(&document_.History(), &QUndoStack::indexChanged, this, &MainWindow::ShowHistory);
    connect(&document_.History(), &QUndoStack::cleanChanged, this, &MainWindow::ShowHistory);
    ShowHistory();
    connect(materials_, &MaterialFiles::tableRead, form_, &ModelForm::FillMaterialList);
    connect(commentsButton_, &QPushButton::clicked, this, &MainWindow::CommentsCommand);
    connect(recordOptionGroup_, &QButtonGroup::idClicked, this, [this](int index) {
        if (form_->CommitActiveField()) {
            SelectRecord(index);
        } else {
            recordOptions_[document_.CurrentLayer()]->setChecked(true);
        }
    });
    for (QRadioButton* option : recordOptions_) form_->GuardPresses({option});
    for (QWidget* box : {scaleView_, dataTable_, layerStrip_}) {
        form_->GuardPresses({box});
        connect(static_cast<ViewBox*>(box), &ViewBox::recordClicked, this, [this](int record) {
            if (form_->CommitActiveField()) SelectRecord(record);
        });
    }
}

}  // namespace strativex
