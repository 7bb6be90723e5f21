#include "core/record_reader.h"

namespace strativex {

bool RecordReader::AtLineEnd() const {
    return AtEnd() || text_[pos_] == '\n' ||
           (text_[pos_] == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] == '\n'));
}

void RecordReader::SkipLineEnd() {
    if (AtEnd()) return;
    if (text_[pos_] == '\r') ++pos_;
    if (!AtEnd() && text_[pos_] == '\n') ++pos_;
}

void RecordReader::SkipBlanks() {
    while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
}

std::optional<std::string> RecordReader::ReadField() {
    if (AtEnd()) return std::nullopt;
    SkipBlanks();
    std::string field;
    if (!AtEnd() && text_[pos_] == '"') {
        const auto close = text_.find('"', pos_ + 1);
        const auto lineEnd = text_.find('\n', pos_ + 1);
        if (close == std::string_view::npos ||
            (lineEnd != std::string_view::npos && close > lineEnd)) {
            return std::nullopt;
        }
        field = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        while (!AtLineEnd() && text_[pos_] != ',') ++pos_;
    } else {
        const auto start = pos_;
        while (!AtLineEnd() && text_[pos_] != ',') ++pos_;
        field = text_.substr(start, pos_ - start);
        const auto last = field.find_last_not_of(" \t");
        field.erase(last == std::string::npos ? 0 : last + 1);
    }
    if (!AtEnd() && text_[pos_] == ',') {
        ++pos_;
    } else {
        SkipLineEnd();
    }
    return field;
}

std::optional<std::string> RecordReader::ReadLine() {
    if (AtEnd()) return std::nullopt;
    const auto start = pos_;
    while (!AtLineEnd()) ++pos_;
    std::string line(text_.substr(start, pos_ - start));
    SkipLineEnd();
    return line;
}

std::optional<std::string> RecordReader::ReadRawLine() {
    if (AtEnd()) return std::nullopt;
    const auto start = pos_;
    while (!AtLineEnd()) ++pos_;
    SkipLineEnd();
    return std::string(text_.substr(start, pos_ - start));
}

std::optional<std::string> RecordReader::ReadChars(std::size_t count) {
    if (text_.size() - pos_ < count) return std::nullopt;
    std::string chars(text_.substr(pos_, count));
    pos_ += count;
    return chars;
}

std::string RecordReader::ReadRest() {
    std::string rest(text_.substr(pos_));
    pos_ = text_.size();
    return rest;
}

}  // namespace strativex
