#include "views/model_strings.h"

#include "core/windows1252.h"

namespace strativex {

QString ModelString(const std::string& bytes) {
    return QString::fromStdString(Windows1252ToUtf8(bytes));
}

}  // namespace strativex
