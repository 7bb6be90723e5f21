#pragma once

#include <QByteArray>
#include <QString>

// Whole files, as the tests plant and inspect them.
QByteArray ReadBytes(const QString& path);
// Creates the folder as needed; false when the file could not be written in full.
bool WriteBytes(const QString& path, const QByteArray& bytes);
