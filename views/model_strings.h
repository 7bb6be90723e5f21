#pragma once

#include <QString>

#include <string>

namespace strativex {

// Text kept in the model, the materials and the preferences is Windows-1252 bytes.
QString ModelString(const std::string& bytes);

}  // namespace strativex
