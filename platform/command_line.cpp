#include "platform/command_line.h"

#include <QFileInfo>

namespace strativex {

std::optional<QString> CommandLineModel(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1).isEmpty()) return std::nullopt;
    return QFileInfo(arguments.at(1)).absoluteFilePath();
}

}  // namespace strativex
