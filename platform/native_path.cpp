#include "platform/native_path.h"

#include <QFile>

namespace strativex {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::string& nativePath) {
    return QFile::decodeName(QByteArray::fromStdString(nativePath));
}

}  // namespace strativex
