#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "analysis/exact_check_texts.h"
#include "analysis/exact_check_window.h"
#include "analysis/exact_picture_view.h"
#include "analysis/job_runner.h"
#include "analysis/source_array_editor.h"

namespace strativex {
namespace {

// Out of date and not available must catch the eye; everything else reads as plain text.
const QString kWarningStyle = QStringLiteral("QLabel { color: #a01010; font-weight: bold; }");

}  // namespace

bool ExactCheckWindow::HasPictures() const {
    return shown_ && shown_->Status == exact::ExactStatus::Ok;
}

QString ExactCheckWindow::StatusText() const {
    if (!baseError_.isEmpty() && !IsComputing()) return baseError_;
    if (!arrayError_.isEmpty() && !IsComputing()) return arrayError_;
    if (IsComputing()) {
        if (cancelled_) return tr("Cancelling...");
        QString text = stage_ + QStringLiteral("...");
        if (run_->Revision() != revision_) {
            text +=
                tr(" The model has changed since this check started: its result will be "
                   "out of date.");
        }
        return text;
    }
    if (!shown_) {
        return cancelled_ ? tr("Cancelled.")
                          : tr("Press Compute to solve the model's stack in three dimensions.");
    }
    QString text;
    if (!ShownUpToDate()) {
        text =
            tr("Out of date: the model has changed since this check. Press Compute to "
               "check it again. ");
    }
    if (cancelled_) text += tr("The last check was cancelled; the results shown are older. ");
    const QString message = QString::fromStdString(shown_->Message);
    switch (shown_->Status) {
        case exact::ExactStatus::Ok:
            return text.isEmpty() ? tr("Up to date.") : text.trimmed();
        case exact::ExactStatus::NotAvailable:
            return text + tr("Not available: ") + message;
        case exact::ExactStatus::NotConverged:
        case exact::ExactStatus::Cancelled:
            return text + tr("No result: ") + message;
    }
    return text.trimmed();
}

void ExactCheckWindow::ShowState() {
    const bool computing = IsComputing();
    computeButton_->setEnabled(!computing);
    cancelButton_->setEnabled(computing && !cancelled_);
    progress_->setTextVisible(computing);
    const bool fresh = ShownUpToDate();
    const bool warning =
        !computing && ((shown_ && (!fresh || shown_->Status != exact::ExactStatus::Ok)) ||
                       !baseError_.isEmpty() || !arrayError_.isEmpty());
    status_->setText(StatusText());
    status_->setStyleSheet(warning ? kWarningStyle : QString());
    copyButton_->setEnabled(HasPictures() && fresh);
    saveButton_->setEnabled(HasPictures() && fresh);
    array_->ShowUnit(state_.model.UnitSystem);
    ShowNumbers();
    ShowSources();
    ShowPictures();
}

void ExactCheckWindow::ShowNumbers() {
    const std::vector<ExactNumberRow> rows =
        HasPictures() ? ExactNumberRows(*shown_, state_.prefs.DecimalDigits)
                      : ExactNumberCaptions();
    for (std::size_t n = 0; n < rows.size(); ++n) values_[n]->setText(rows[n].Value);
    const std::vector<QStringList> layers =
        HasPictures() ? ExactLayerRows(*shown_, shownModel_, state_.prefs.DecimalDigits)
                      : std::vector<QStringList>{};
    layers_->setRowCount(static_cast<int>(layers.size()));
    for (int row = 0; row < static_cast<int>(layers.size()); ++row) {
        const QStringList& cells = layers[static_cast<std::size_t>(row)];
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            layers_->setItem(row, column, item);
        }
    }
    // Numbers of a model that has changed since stay readable, greyed.
    numbers_->setEnabled(!shown_ || ShownUpToDate());
}

void ExactCheckWindow::ShowPictures() {
    for (ExactPictureView* view : {section_, profile_}) {
        if (HasPictures()) {
            view->ShowResult(shown_, shownModel_.UnitSystem, state_.prefs.DecimalDigits);
        } else {
            view->ShowMessage(shown_ ? QString::fromStdString(shown_->Message)
                                     : tr("No 3-D check computed yet."));
        }
        view->SetOutOfDate(shown_ && !ShownUpToDate());
    }
}

}  // namespace strativex
