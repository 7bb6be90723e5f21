#include "analysis/transient_window.h"
#include "exact/spice_subcircuit.h"
#include "persistence/safe_write.h"
#include "platform/native_path.h"
#include "views/model_text.h"

namespace strativex {
namespace {

// The model's file name without its extension, or the model's name for one never saved.
QString ModelStem(const Model& model) {
    QString name = FromModelText(model.ModelFileName);
    if (name.isEmpty()) name = FromModelText(model.ModelName);
    if (name.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) name.chop(4);
    return name.isEmpty() ? QStringLiteral("model") : name;
}

}  // namespace

// The calculator's series lines, so that a script reads the window's file as it reads its own.
void TransientWindow::ExportCsv() {
    const std::string file = ModelStem(state_.model).toStdString();
    Export({tr("Export Thermal Impedance as CSV"), tr("CSV Files (*.csv)"), QStringLiteral("csv"),
            TransientSeriesCsvHeader() + TransientSeriesCsvLines(*shown_, file)});
}

void TransientWindow::ExportSpice() {
    const std::string stem = ModelStem(state_.model).toStdString();
    Export(
        {tr("Export Networks as SPICE Subcircuits"), tr("SPICE Netlists (*.cir *.lib)"),
         QStringLiteral("cir"),
         exact::FosterSubcircuit(shown_->Foster.Network, exact::SubcircuitName(stem + "_foster")) +
             exact::CauerSubcircuit(shown_->Cauer, exact::SubcircuitName(stem + "_cauer"))});
}

// Written in full or not at all; a failure is said, never passed over.
void TransientWindow::Export(const ExportFormat& format) {
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Save;
    request.Title = format.Title;
    request.Folder = PathText(state_.prefs.ModelsFolder);
    request.FileName = ModelStem(state_.model) + QStringLiteral("-transient.") + format.Suffix;
    request.Filters = {format.Filter, tr("All Files (*)")};
    request.DefaultSuffix = format.Suffix;
    const auto chosen = desktop_.ChooseFile(this, request);
    if (!chosen) return;
    const SafeWriteResult written = SafeWriteFile(NativePath(*chosen), format.Text);
    if (written.Ok) return;
    desktop_.ShowMessage(this,
                         *chosen + QStringLiteral("\r\n") +
                             tr("The file could not be written: %1")
                                 .arg(QString::fromStdString(written.SystemError)) +
                             QStringLiteral("\r\n") + tr("Nothing exported."),
                         tr("Error Exporting Transient"), MessageIcon::Exclamation,
                         MessageButtons::Ok);
}

}  // namespace strativex
