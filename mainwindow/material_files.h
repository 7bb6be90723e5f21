#pragma once

#include <QObject>

#include <optional>
#include <string>
#include <vector>

#include "core/custom_material_line.h"
#include "persistence/app_state.h"
#include "platform/desktop.h"

class QWidget;

namespace strativex {

// The materials' files as the window reads them: at start-up, where a missing standard file
// may be looked for elsewhere, and again after the custom materials were edited. Whatever the
// files held that could not be used is reported once, at the load.
class MaterialFiles : public QObject {
    Q_OBJECT

public:
    // The window parents the messages and the file locations dialog.
    MaterialFiles(AppState& state, Desktop& desktop, QWidget& window);

    // False when the program was ended (no standard file, or a damaged one).
    bool LoadAtStartUp();
    bool Reload();

signals:
    // The table was read again, whether or not all of it could be.
    void tableRead();

private:
    enum class Outcome { Loaded, LookedElsewhere, Ended };
    Outcome Load(std::optional<int> customLimit);
    void ReportCustomFileProblem(const std::string& problem);
    void ReportSkippedCustomLines(const std::vector<SkippedCustomLine>& skipped);
    MessageAnswer Message(const QString& text, MessageIcon icon, MessageButtons buttons);

    AppState& state_;
    Desktop& desktop_;
    QWidget& window_;
};

}  // namespace strativex
