#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

// Whole files, as the tests plant and inspect them.
QByteArray ReadBytes(const QString& path);
// Creates the folder as needed; false when the file could not be written in full.
bool WriteBytes(const QString& path, const QByteArray& bytes);
// The whole file as the programs read it; nothing when they would refuse it.
std::optional<std::string> FileText(const std::string& path);
