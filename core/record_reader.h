#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reads the comma-separated text files of the program: quoted texts, bare numbers, raw lines
// and counted characters, in whatever mix a format needs. Lines may end in CR LF or LF alone.
namespace strativex {

class RecordReader {
public:
    explicit RecordReader(std::string_view content) : text_(content) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    // One field of a record: leading blanks skipped; a quoted field runs to its closing quote
    // (anything after it up to the separator is dropped); a bare field runs to the next comma
    // or line end, trailing blanks dropped. Consumes the comma or line end after the field.
    // Nothing when the input is exhausted or a quote is not closed on its line.
    std::optional<std::string> ReadField();

    // The rest of the current line without its line end, which is consumed.
    std::optional<std::string> ReadLine();

    // The rest of the current line with its line end, as the text holds them.
    std::optional<std::string> ReadRawLine();

    // Exactly count characters, line ends included.
    std::optional<std::string> ReadChars(std::size_t count);

    // Everything that is left.
    std::string ReadRest();

private:
    bool AtLineEnd() const;
    void SkipLineEnd();
    void SkipBlanks();

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace strativex
