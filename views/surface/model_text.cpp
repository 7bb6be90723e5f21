#include "views/surface/model_text.h"

#include "core/windows1252.h"

namespace strativex {

QString FromModelText(const std::string& bytes) {
    return QString::fromStdString(Windows1252ToUtf8(bytes));
}

std::optional<std::string> ToModelText(const QString& text) {
    return Utf8ToWindows1252(text.toStdString());
}

std::string ToModelTextLossy(const QString& text) {
    std::string bytes;
    for (const QChar c : text) bytes += ToModelText(QString(c)).value_or("?");
    return bytes;
}

}  // namespace strativex
