#include "register/CsvExport.h"

#include "register/ExportText.h"

namespace ledgora {
namespace {

void appendCell(std::string& out, const std::string& text) {
    if (text.empty()) {
        out += "\"\"";
        return;
    }
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        appendCp1252(out, text);
        return;
    }
    // Unquoted, such a cell would end the field or the row early and shift what follows.
    std::string quoted;
    quoted.reserve(text.size() + 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    out += '"';
    appendCp1252(out, quoted);
    out += '"';
}

} // namespace

std::string csvExport(const Grid& grid, const GridLook& look) {
    const int columns = look.shownColumns(grid);
    std::string out;
    out.reserve(static_cast<std::size_t>(grid.rowCount()) * static_cast<std::size_t>(columns) * 8);
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0) {
                out += ';';
            }
            appendCell(out, grid.at(r, c));
        }
        out += "\r\n";
    }
    return out;
}

} // namespace ledgora
