#include <QPrinter>

#include "analysis/exact_check_window.h"
#include "dialogs/print_preview_dialog.h"
#include "mainwindow/main_window.h"
#include "views/exact_summary_of.h"
#include "views/model_text.h"
#include "views/report_output.h"
#include "views/report_pdf.h"

namespace strativex {

void MainWindow::PrintCommand() {
    if (!CommitActiveField()) return;
    const std::unique_ptr<QPrinter> printer = desktop_.ChoosePrinter(this);
    if (!printer) return;
    // A report that never reached the printer is said so, rather than passed over in silence.
    if (!PrintReport(*printer, ReportInputsOf(state_, StandardLayerPalette()))) {
        Message(tr("The report could not be sent to the printer."), tr("Error Printing Report"),
                MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

void MainWindow::PrintPreviewCommand() {
    if (!CommitActiveField()) return;
    const QPrinter printer;
    PrintPreviewDialog preview(state_, PageTwips(printer), this);
    preview.exec();
}

void MainWindow::ExportPdfCommand() {
    if (!CommitActiveField()) return;
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Save;
    request.Title = tr("Export Report as PDF");
    request.Folder = ModelsDialogFolder();
    QString name = FromModelText(state_.model.ModelFileName);
    if (name.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) name.chop(4);
    request.FileName = name + QStringLiteral(".pdf");
    request.Filters = {QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("All Files (*)")};
    request.DefaultSuffix = QStringLiteral("pdf");
    const auto chosen = desktop_.ChooseFile(this, request);
    if (!chosen) return;
    ReportInputs inputs = ReportInputsOf(state_, StandardLayerPalette());
    // The details page carries the 3-D check when it was computed for the model as it is.
    std::optional<ExactCheckSummary> exact;
    if (exactCheck_) {
        if (auto result = exactCheck_->CurrentResult();
            result && result->Status == exact::ExactStatus::Ok) {
            exact = SummaryOf(std::make_shared<const exact::ExactResult>(std::move(*result)),
                              state_.model.UnitSystem);
            inputs.exact = &*exact;
        }
    }
    const SafeWriteResult written = ExportReportPdf(NativePath(*chosen), inputs);
    if (!written.Ok) {
        Message(*chosen + QStringLiteral("\r\n") +
                    tr("The report could not be written: %1")
                        .arg(QString::fromStdString(written.SystemError)) +
                    QStringLiteral("\r\n") + tr("Report not exported."),
                tr("Error Exporting PDF"), MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

}  // namespace strativex
