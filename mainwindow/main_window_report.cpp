#include <QCoreApplication>
#include <QPrinter>

#include <optional>

#include "dialogs/print_preview_dialog.h"
#include "dialogs/state_inputs.h"
#include "mainwindow/analysis_launcher.h"
#include "mainwindow/main_window.h"
#include "persistence/safe_write.h"
#include "platform/native_path.h"
#include "views/exact_check/exact_summary_of.h"
#include "views/report/report_output.h"
#include "views/report/report_pdf.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

// Why the report was not written; nothing when it was.
std::optional<QString> WriteReportPdf(const QString& path, const ReportInputs& inputs) {
    const QByteArray pdf = ReportPdf(inputs);
    if (pdf.isEmpty()) {
        return QCoreApplication::translate("MainWindow", "the report page could not be drawn");
    }
    const SafeWriteResult written = SafeWriteFile(
        NativePath(path), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (written.Ok) return std::nullopt;
    return QString::fromStdString(written.SystemError);
}

}  // namespace

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
    if (const auto result = analysis_->ExactCheckResult()) {
        exact = SummaryOf(*result, state_.model.UnitSystem);
    }
    inputs.exact = exact ? &*exact : nullptr;
    const std::optional<TransientSummary> transient = analysis_->TransientReportSummary();
    inputs.transient = transient ? &*transient : nullptr;
    if (const auto failure = WriteReportPdf(*chosen, inputs)) {
        Message(*chosen + QStringLiteral("\r\n") +
                    tr("The report could not be written: %1").arg(*failure) +
                    QStringLiteral("\r\n") + tr("Report not exported."),
                tr("Error Exporting PDF"), MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

}  // namespace strativex
