#pragma once

#include <QObject>

#include <array>
#include <vector>

#include "document/model_document.h"
#include "persistence/app_state.h"
#include "persistence/model_file.h"
#include "platform/desktop.h"

class QAction;
class QMenu;
class QMimeData;
class QWidget;

namespace strativex {

class ModelForm;

// The model's file: New, Open, Save, Save As, the recent files, a model dropped on the window,
// and the question before unsaved changes are discarded. Opening reports what the file held
// that the program could not take as it stood; the window's title names the file.
class FileCommands : public QObject {
    Q_OBJECT

public:
    // The window parents the dialogs and carries the title.
    FileCommands(AppState& state, Desktop& desktop, ModelDocument& document, ModelForm& form,
                 QWidget& window);

    // The four recent files' entries, added at the menu's end and shown when there is a file.
    void AddRecentEntries(QMenu& menu);
    void ShowRecentFiles();

    // The File menu's commands.
    void New();
    void Open();
    void OpenRecent(int k);
    void Save();
    void SaveAs();

    // A fresh untitled model from the defaults, asking nothing.
    void SetUpNewModel();
    // Opens a model as Open does after its dialog, asking nothing first (the command line).
    void OpenModelFromPath(const QString& path);
    // Whether a drag carries one local model file, and the open of a dropped one.
    static bool CarriesModel(const QMimeData* data);
    void OpenDropped(const QMimeData& data);

    // For commands that discard the model: keeps a valid typed value, drops a refused one and
    // asks about unsaved changes; false when the user cancels.
    bool ReadyToDiscard();

private:
    MessageAnswer ConfirmDiscardChanges();
    void WriteModel();
    void WriteModelAs();
    bool LoadModelAndReport(const QString& path);
    void ReportReplacedMaterials(const QString& path,
                                 const std::vector<ReplacedMaterialId>& replaced);
    void ReportOutOfRangeValues(const QString& path);
    void ShowFileName();
    MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons);

    AppState& state_;
    Desktop& desktop_;
    ModelDocument& document_;
    ModelForm& form_;
    QWidget& window_;
    std::array<QAction*, 5> recentActions_{};  // 1..4 used
};

// The folder a file dialog opens on: the models folder of the preferences, or one that is
// there when it has gone.
QString ModelsDialogFolder(const AppState& state);

}  // namespace strativex
