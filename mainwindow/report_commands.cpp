#include "mainwindow/report_commands.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QWidget>

#include <optional>

#include "dialogs/print_preview_dialog.h"
#include "dialogs/state_inputs.h"
#include "mainwindow/analysis_launcher.h"
#include "mainwindow/file_commands.h"
#include "mainwindow/model_form.h"
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
        return QCoreApplication::translate("ReportCommands", "the report page could not be drawn");
    }
    const SafeWriteResult written = SafeWriteFile(
        NativePath(path), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (written.Ok) return std::nullopt;
    return QString::fromStdString(written.SystemError);
}

}  // namespace

ReportCommands::ReportCommands(const AppState& state, Desktop& desktop, ModelForm& form,
                               const AnalysisLauncher& analysis, QWidget& window)
    : QObject(&window),
      state_(state),
      desktop_(desktop),
      form_(form),
      analysis_(analysis),
      window_(window) {}

void ReportCommands::Tell(const QString& text, const QString& title) {
    desktop_.ShowMessage(&window_, text, title, MessageIcon::Exclamation, MessageButtons::Ok);
}

void ReportCommands::Print() {
    if (!form_.CommitActiveField()) return;
    const std::unique_ptr<QPrinter> printer = desktop_.ChoosePrinter(&window_);
    if (!printer) return;
    // A report that never reached the printer is said so, rather than passed over in silence.
    if (!PrintReport(*printer, ReportInputsOf(state_, StandardLayerPalette()))) {
        Tell(tr("The report could not be sent to the printer."), tr("Error Printing Report"));
    }
}

void ReportCommands::PrintPreview() {
    if (!form_.CommitActiveField()) return;
    const QPrinter printer;
    PrintPreviewDialog preview(state_, PageTwips(printer), &window_);
    preview.exec();
}

void ReportCommands::ExportPdf() {
    if (!form_.CommitActiveField()) return;
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Save;
    request.Title = tr("Export Report as PDF");
    request.Folder = ModelsDialogFolder(state_);
    QString name = FromModelText(state_.model.ModelFileName);
    if (name.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) name.chop(4);
    request.FileName = name + QStringLiteral(".pdf");
    request.Filters = {QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("All Files (*)")};
    request.DefaultSuffix = QStringLiteral("pdf");
    const auto chosen = desktop_.ChooseFile(&window_, request);
    if (!chosen) return;
    ReportInputs inputs = ReportInputsOf(state_, StandardLayerPalette());
    // The details page carries the 3-D check when it was computed for the model as it is.
    std::optional<ExactCheckSummary> exact;
    if (const auto result = analysis_.ExactCheckResult()) {
        exact = SummaryOf(*result, state_.model.UnitSystem);
    }
    inputs.exact = exact ? &*exact : nullptr;
    const std::optional<TransientSummary> transient = analysis_.TransientReportSummary();
    inputs.transient = transient ? &*transient : nullptr;
    if (const auto failure = WriteReportPdf(*chosen, inputs)) {
        Tell(*chosen + QStringLiteral("\r\n") +
                 tr("The report could not be written: %1").arg(*failure) + QStringLiteral("\r\n") +
                 tr("Report not exported."),
             tr("Error Exporting PDF"));
    }
}

}  // namespace strativex
