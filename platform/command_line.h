#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace strativex {

// The model named on the command line (a file manager's double-click passes one), made
// absolute against the folder the program was started in. To be taken before the start-up
// makes the program folder the working directory.
std::optional<QString> CommandLineModel(const QStringList& arguments);

}  // namespace strativex
