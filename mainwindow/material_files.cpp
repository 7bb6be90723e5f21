#include "mainwindow/material_files.h"

#include <QWidget>

#include "core/material_loader.h"
#include "dialogs/file_locations_dialog.h"
#include "platform/native_path.h"

namespace strativex {

MaterialFiles::MaterialFiles(AppState& state, Desktop& desktop, QWidget& window)
    : QObject(&window), state_(state), desktop_(desktop), window_(window) {}

MessageAnswer MaterialFiles::Message(const QString& text, MessageIcon icon,
                                     MessageButtons buttons) {
    return desktop_.ShowMessage(&window_, text, QString::fromLatin1(kMaterialsErrorTitle), icon,
                                buttons);
}

bool MaterialFiles::LoadAtStartUp() {
    for (;;) {
        state_.materialPaths = MaterialPathsIn(state_.prefs.MaterialsFolder);
        switch (Load(kStartupCustomLimit)) {
            case Outcome::Loaded:
                return true;
            case Outcome::Ended:
                return false;
            case Outcome::LookedElsewhere:
                break;
        }
    }
}

bool MaterialFiles::Reload() {
    return Load(std::nullopt) != Outcome::Ended;
}

MaterialFiles::Outcome MaterialFiles::Load(std::optional<int> customLimit) {
    const MaterialLoadOutcome outcome =
        LoadMaterials(state_.materials, state_.materialPaths, customLimit);
    emit tableRead();
    switch (outcome.Result) {
        case MaterialLoadOutcome::Kind::Loaded:
            ReportCustomFileProblem(outcome.CustomFileProblem);
            ReportSkippedCustomLines(outcome.SkippedCustomLines);
            return Outcome::Loaded;
        case MaterialLoadOutcome::Kind::Fatal:
            Message(QString::fromStdString(outcome.FatalText), MessageIcon::Critical,
                    MessageButtons::Ok);
            desktop_.EndProgram(1);
            return Outcome::Ended;
        case MaterialLoadOutcome::Kind::StandardFileMissing:
            break;
    }
    const MessageAnswer answer =
        Message(QString::fromStdString(StandardFileMissingText(state_.materialPaths.Standard)),
                MessageIcon::None, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) {
        desktop_.EndProgram(1);
        return Outcome::Ended;
    }
    FileLocationsDialog locations(state_, desktop_, &window_);
    locations.exec();
    return Outcome::LookedElsewhere;
}

// A custom materials file that is there but cannot be read adds no materials; the user is
// told, since the models that use them then lose them.
void MaterialFiles::ReportCustomFileProblem(const std::string& problem) {
    if (problem.empty()) return;
    Message(
        PathText(state_.materialPaths.Custom) + QStringLiteral("\r\n") +
            tr("The custom materials could not be read: %1.").arg(QString::fromStdString(problem)),
        MessageIcon::Exclamation, MessageButtons::Ok);
}

// Each line of the custom file left out is named once, at the load, so the user can mend it in
// the file or the editor before a model misses the material.
void MaterialFiles::ReportSkippedCustomLines(const std::vector<SkippedCustomLine>& skipped) {
    if (skipped.empty()) return;
    QString text = PathText(state_.materialPaths.Custom) + QStringLiteral("\r\n") +
                   tr("These lines hold no custom material the program can use and were skipped:");
    for (const SkippedCustomLine& line : skipped) {
        text += QStringLiteral("\r\n") + QString::fromStdString(SkippedLineText(line));
    }
    Message(text, MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace strativex
