#include "tools/matprops/standard_file.h"

#include "core/material_codec.h"

namespace strativex::matprops {
namespace {

constexpr const char* kLineEnd = "\r\n";

// The program reads only the header's first field; naming the columns documents the lines
// below for anyone who decodes the file.
MaterialFields HeaderFields() {
    return {"Id", "Name", "A", "B"};
}

}  // namespace

std::string EncodeStandardFile(const std::vector<MaterialRow>& rows) {
    int keyPosition = 0;
    std::string file = EncodeMaterialLine(HeaderFields(), keyPosition) + kLineEnd;
    for (const MaterialRow& row : rows) {
        file += EncodeMaterialLine({row.Id, row.Name, row.A, row.B}, keyPosition) + kLineEnd;
    }
    return file;
}

}  // namespace strativex::matprops
