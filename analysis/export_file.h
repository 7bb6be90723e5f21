#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace strativex {

class Desktop;
struct AppState;
struct Model;

// One kind of file an analysis window exports.
struct ExportFormat {
    QString Title;
    QString Filter;
    QString Suffix;
    std::function<QByteArray()> Bytes;  // empty when it could not be made
};

// The model's file name without its extension, or the model's name for one never saved:
// what exported files are named after.
QString ModelStem(const Model& model);

// Asks where to save "<model>-<kind>.<suffix>", starting in the models folder, and writes it
// in full or not at all. Nothing when it was written or no file was chosen; otherwise the
// file and why it could not be written, for the window to say in its own words.
std::optional<QString> ExportToChosenFile(QWidget& parent, Desktop& desktop, const AppState& state,
                                          const QString& kind, const ExportFormat& format);

}  // namespace strativex
