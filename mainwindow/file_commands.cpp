#include "mainwindow/file_commands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <optional>

#include "core/model_range_check.h"
#include "mainwindow/model_form.h"
#include "persistence/paths.h"
#include "platform/native_path.h"
#include "views/report/today_date.h"
#include "views/surface/model_text.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr const char* kUntitled = "untitled.mdl";

QStringList ModelFilters() {
    return {QStringLiteral("Model Files (*.mdl)"), QStringLiteral("All Files (*)")};
}

// The one local model file a drag carries, if it carries exactly that.
std::optional<QString> DroppedModel(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1) return std::nullopt;
    const QUrl url = data->urls().front();
    if (!url.isLocalFile()) return std::nullopt;
    const QString path = url.toLocalFile();
    if (!path.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive)) return std::nullopt;
    return path;
}

}  // namespace

// A first start has no Models folder yet, and a chosen folder may have gone since; the dialog
// opens on one that is there, so that Enter does not answer "not found".
QString ModelsDialogFolder(const AppState& state) {
    return PathText(ExistingFolderFor(state.prefs.ModelsFolder, state.folders));
}

FileCommands::FileCommands(AppState& state, Desktop& desktop, ModelDocument& document,
                           ModelForm& form, QWidget& window)
    : QObject(&window),
      state_(state),
      desktop_(desktop),
      document_(document),
      form_(form),
      window_(window) {}

MessageAnswer FileCommands::Message(const QString& text, const QString& title, MessageIcon icon,
                                    MessageButtons buttons) {
    return desktop_.ShowMessage(&window_, text, title, icon, buttons);
}

void FileCommands::AddRecentEntries(QMenu& menu) {
    for (int k = 1; k <= 4; ++k) {
        recentActions_[k] = menu.addAction(QString());
        recentActions_[k]->setObjectName(QStringLiteral("mnuRecent_%1").arg(k));
        recentActions_[k]->setVisible(false);
        connect(recentActions_[k], &QAction::triggered, this, [this, k] { OpenRecent(k); });
    }
}

void FileCommands::ShowRecentFiles() {
    const QFontMetrics metrics(window_.font());
    const auto width = [&metrics](const std::string& text) {
        return static_cast<double>(Twips(metrics.horizontalAdvance(PathText(text))));
    };
    for (int k = 1; k <= 4; ++k) {
        const std::string& path = state_.prefs.RecentFiles[k];
        QString shown = PathText(ShortenPath(path, width, 2500));
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        recentActions_[k]->setText(QStringLiteral("&%1  ").arg(k) + shown);
        recentActions_[k]->setVisible(!path.empty());
    }
}

MessageAnswer FileCommands::ConfirmDiscardChanges() {
    if (!document_.IsModified()) return MessageAnswer::No;
    const MessageAnswer answer =
        Message(QStringLiteral("Current model has been changed.  Save these changes?"),
                QStringLiteral("Save Changes?"), MessageIcon::None, MessageButtons::YesNoCancel);
    if (answer != MessageAnswer::Yes) return answer;
    WriteModel();
    // A save that was cancelled or failed must not let the command discard the changes.
    return document_.IsModified() ? MessageAnswer::Cancel : MessageAnswer::Yes;
}

bool FileCommands::ReadyToDiscard() {
    form_.SettleActiveFieldToDiscard();
    return ConfirmDiscardChanges() != MessageAnswer::Cancel;
}

void FileCommands::New() {
    if (ReadyToDiscard()) SetUpNewModel();
}

void FileCommands::SetUpNewModel() {
    ResetToNewModel(state_.model, state_.prefs.Defaults);
    if (state_.prefs.UseCurrentDate) {
        state_.prefs.UserInfoText[kUserInfoDateSlot] = TodayModelText();
    }
    ShowFileName();
    form_.ForgetTypedName();
    document_.Restart();
}

void FileCommands::Open() {
    if (!ReadyToDiscard()) return;
    FileDialogRequest request;
    request.Title = QStringLiteral("Open Existing Model");
    request.Folder = ModelsDialogFolder(state_);
    request.Filters = ModelFilters();
    const auto chosen = desktop_.ChooseFile(&window_, request);
    if (chosen) OpenModelFromPath(*chosen);
}

void FileCommands::OpenRecent(int k) {
    if (ReadyToDiscard()) OpenModelFromPath(PathText(state_.prefs.RecentFiles[k]));
}

bool FileCommands::CarriesModel(const QMimeData* data) {
    return DroppedModel(data).has_value();
}

void FileCommands::OpenDropped(const QMimeData& data) {
    const auto path = DroppedModel(&data);
    if (path && ReadyToDiscard()) OpenModelFromPath(QFileInfo(*path).absoluteFilePath());
}

void FileCommands::OpenModelFromPath(const QString& path) {
    if (!LoadModelAndReport(path)) {
        SetUpNewModel();
        return;
    }
    state_.CurrentModelPath = NativePath(path);
    AddRecentFile(state_.prefs.RecentFiles, state_.CurrentModelPath);
    ShowRecentFiles();
    state_.model.ModelFileName = ToModelTextLossy(PathText(FileNamePart(state_.CurrentModelPath)));
    ShowFileName();
}

bool FileCommands::LoadModelAndReport(const QString& path) {
    const ModelFileOutcome outcome =
        LoadModelFile(state_.model, state_.materials, state_.prefs.Defaults, NativePath(path));
    if (!outcome.Ok) {
        Message(QString::fromStdString(outcome.Message), QString::fromLatin1(kLoadModelTitle),
                MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    form_.ForgetTypedName();
    document_.Restart();
    ReportReplacedMaterials(path, outcome.ReplacedIds);
    ReportOutOfRangeValues(path);
    return true;
}

// A layer without a material the table holds is read without one, as the file format has it;
// the user is told, since the layer then adds practically no resistance.
void FileCommands::ReportReplacedMaterials(const QString& path,
                                           const std::vector<ReplacedMaterialId>& replaced) {
    if (replaced.empty()) return;
    QString text = path + QStringLiteral("\r\n") +
                   tr("These layers have no material, or name one that is not in the materials "
                      "table, and were read without material:");
    for (const ReplacedMaterialId& layer : replaced) {
        text +=
            QStringLiteral("\r\n") + tr("Layer %1: material id %2").arg(layer.Layer).arg(layer.Id);
    }
    Message(text, tr("Materials Not Found"), MessageIcon::Exclamation, MessageButtons::Ok);
}

// A file may hold values the fields would refuse; they are calculated as they stand, and the
// user is told which, so that no result rests on a value nobody meant.
void FileCommands::ReportOutOfRangeValues(const QString& path) {
    const std::vector<OutOfRangeValue> values = OutOfRangeValues(state_.model);
    if (values.empty()) return;
    QString text = path + QStringLiteral("\r\n") +
                   tr("These values are outside the ranges the fields accept and are calculated "
                      "as the file holds them:");
    for (const OutOfRangeValue& value : values) {
        text += QStringLiteral("\r\n") + QString::fromStdString(value.Text);
    }
    Message(text, tr("Values Out of Range"), MessageIcon::Exclamation, MessageButtons::Ok);
}

void FileCommands::Save() {
    if (form_.CommitActiveField()) WriteModel();
}

void FileCommands::SaveAs() {
    if (form_.CommitActiveField()) WriteModelAs();
}

void FileCommands::WriteModel() {
    if (state_.model.ModelFileName == kUntitled) {
        WriteModelAs();
        return;
    }
    const ModelFileOutcome outcome = SaveModelFile(state_.model, state_.CurrentModelPath);
    if (!outcome.Ok) {
        Message(QString::fromStdString(outcome.Message), QString::fromLatin1(kSaveModelTitle),
                MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    document_.MarkSaved();
    state_.model.ModelFileName = ToModelTextLossy(PathText(FileNamePart(state_.CurrentModelPath)));
    ShowFileName();
}

void FileCommands::WriteModelAs() {
    FileDialogRequest request;
    request.DialogMode = FileDialogRequest::Mode::Save;
    request.Title =
        QStringLiteral("Save Model '%1' As...").arg(FromModelText(state_.model.ModelName));
    request.FileName =
        FromModelText(state_.model.ModelFileName == kUntitled ? state_.model.ModelName
                                                              : state_.model.ModelFileName);
    request.Folder = state_.CurrentModelPath.empty()
                         ? ModelsDialogFolder(state_)
                         : PathText(FolderPart(state_.CurrentModelPath));
    request.Filters = ModelFilters();
    request.DefaultSuffix = QStringLiteral("mdl");
    const auto chosen = desktop_.ChooseFile(&window_, request);
    if (!chosen) return;
    state_.CurrentModelPath = NativePath(*chosen);
    state_.model.ModelFileName = ToModelTextLossy(PathText(FileNamePart(state_.CurrentModelPath)));
    AddRecentFile(state_.prefs.RecentFiles, state_.CurrentModelPath);
    ShowRecentFiles();
    WriteModel();
}

void FileCommands::ShowFileName() {
    // The mark shows while the model differs from the file; Qt puts it in place of "[*]".
    window_.setWindowTitle(QString::fromStdString(state_.ProgramName) + QStringLiteral(" -- ") +
                           FromModelText(state_.model.ModelFileName) + QStringLiteral("[*]"));
}

}  // namespace strativex
