#pragma once

#include <QString>

#include <optional>
#include <string>

// The model, the preferences and the material files keep text as Windows-1252 bytes.
namespace strativex {

QString FromModelText(const std::string& bytes);
// Nothing when the text holds a character the files cannot store.
std::optional<std::string> ToModelText(const QString& text);
// The same, with "?" for every character the files cannot store: for names that only label
// the model, such as the file name it was saved under.
std::string ToModelTextLossy(const QString& text);

}  // namespace strativex
