#pragma once

#include <QDialog>

#include <array>
#include <optional>
#include <string>

#include "persistence/app_state.h"
#include "platform/desktop.h"

namespace strativex {

class PathPicture;

// Chooses the materials folder (group 0) and the models folder (group 1). A folder is
// picked by a file in it, so the user may simply accept the name the file dialog shows.
class FileLocationsDialog : public QDialog {
    Q_OBJECT

public:
    FileLocationsDialog(AppState& state, Desktop& desktop, QWidget* parent = nullptr);

private:
    static constexpr int kGroups = 2;

    QWidget* BuildGroup(int i, const QString& caption);
    QWidget* BuildButtons();
    void ShowFolderPath(int i, const std::string& path);
    void ChangeFolder(int i);
    void UseDefault(int i);
    void StoreFolders();
    FileDialogRequest BrowseRequest(int i) const;
    std::optional<std::string> ChosenFolder(const QString& path);

    AppState& state_;
    Desktop& desktop_;
    std::array<PathPicture*, kGroups> pathPictures_{};
    std::array<std::string, kGroups> pendingFolders_;
    std::array<std::string, kGroups> defaultFolders_;
};

}  // namespace strativex
