#include "analysis/export_file.h"

#include <QObject>

#include "persistence/app_state.h"
#include "persistence/safe_write.h"
#include "platform/desktop.h"
#include "platform/native_path.h"
#include "views/surface/model_text.h"

namespace strativex {

QString ModelStem(const Model& model) {
    QString name = FromModelText(model.ModelFileName);
    if (name.isEmpty()) name = FromModelText(model.ModelName);
    if (name.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) name.chop(4);
    return name.isEmpty() ? QStringLiteral("model") : name;
}

std::optional<QString> ExportToChosenFile(QWidget& parent, Desktop& desktop, const AppState& state,
                                          const QString& kind, const ExportFormat& format) {
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Save;
    request.Title = format.Title;
    request.Folder = PathText(state.prefs.ModelsFolder);
    request.FileName = ModelStem(state.model) + '-' + kind + '.' + format.Suffix;
    request.Filters = {format.Filter, QObject::tr("All Files (*)")};
    request.DefaultSuffix = format.Suffix;
    const auto chosen = desktop.ChooseFile(&parent, request);
    if (!chosen) return std::nullopt;
    const QByteArray bytes = format.Bytes();
    const SafeWriteResult written =
        bytes.isEmpty()
            ? SafeWriteResult{false, SafeWriteStep::Write, "the picture could not be drawn"}
            : SafeWriteFile(NativePath(*chosen), bytes.toStdString());
    if (written.Ok) return std::nullopt;
    return *chosen + QStringLiteral("\r\n") +
           QObject::tr("The file could not be written: %1")
               .arg(QString::fromStdString(written.SystemError));
}

}  // namespace strativex
