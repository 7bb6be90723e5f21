#include "cli/report_writer.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "persistence/app_state.h"
#include "persistence/safe_write.h"
#include "views/exact_check/exact_summary_of.h"
#include "views/report/report_pdf.h"
#include "views/report/today_date.h"
#include "views/report/transient_summary_of.h"
#include "views/stack/layer_palette.h"

namespace strativex {
namespace {

// Qt's notes about the session it runs in (no runtime folder, no display) are not the
// calculator's business; its errors still reach standard error.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "strativex-calc: %s\n", qPrintable(message));
    }
}

bool WriteReport(const CalcOptions& options, const LoadedModel& model, const MaterialTable& table,
                 const Preferences& prefs, std::ostream& err) {
    // A calculator runs in scripts and on servers: it draws without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtNotes);
    int argc = 1;
    char name[] = "strativex-calc";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    AppState state;
    state.prefs = prefs;
    if (state.prefs.UseCurrentDate) {
        state.prefs.UserInfoText[kUserInfoDateSlot] = TodayModelText();
    }
    state.model = model.Data;
    state.model.ModelFileName = std::filesystem::path(model.Path).filename().string();
    state.materials = table;
    ReportInputs inputs{
        ViewInputs{state.model, state.materials, state.prefs.DecimalDigits, StandardLayerPalette()},
        state.prefs, state.ProgramName};
    std::optional<ExactCheckSummary> summary;
    if (model.Exact) summary = SummaryOf(*model.Exact, model.Data.UnitSystem);
    inputs.exact = summary ? &*summary : nullptr;
    std::optional<TransientSummary> transient;
    if (model.Transient) transient = TransientSummaryOf(*model.Transient, options.Base);
    inputs.transient = transient ? &*transient : nullptr;
    const std::string& path = *options.ReportPdfPath;
    const QByteArray pdf = ReportPdf(inputs);
    const SafeWriteResult written =
        pdf.isEmpty()
            ? SafeWriteResult{false, SafeWriteStep::Write, "the report page could not be drawn"}
            : SafeWriteFile(
                  path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (written.Ok) return true;
    err << "strativex-calc: cannot write the report '" << path << "': " << written.SystemError
        << "\n";
    return false;
}

}  // namespace

ReportWriter PdfReportWriter(const CalcOptions& options) {
    return [options](const LoadedModel& model, const MaterialTable& table, const Preferences& prefs,
                     std::ostream& err) { return WriteReport(options, model, table, prefs, err); };
}

}  // namespace strativex
