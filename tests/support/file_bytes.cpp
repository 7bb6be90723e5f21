#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/text_file.h"

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

std::optional<std::string> FileText(const std::string& path) {
    return strativex::ReadBoundedFile(path, strativex::kModelFileLimit).Content;
}
