#include "register/TextExport.h"

#include <algorithm>
#include <vector>

#include "register/ExportText.h"

namespace ledgora {
namespace {

// A line break would split the row's line and shift every column after it: each break
// (CR LF, CR or LF) is written as one space.
std::string cellText(const std::string& text) {
    std::string out;
    if (text.find_first_of("\r\n") == std::string::npos) {
        appendCp1252(out, text);
        return out;
    }
    std::string flat;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        flat += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    appendCp1252(out, flat);
    return out;
}

} // namespace

std::string fixedWidthTextExport(const Grid& grid, const GridLook& look) {
    const int rows = grid.rowCount();
    const int columns = look.shownColumns(grid);
    // Widths count Windows-1252 characters, one byte each, so the texts are converted
    // before they are measured.
    std::vector<std::string> cells(static_cast<std::size_t>(rows) *
                                   static_cast<std::size_t>(columns));
    std::vector<std::size_t> widths(static_cast<std::size_t>(columns), 0);
    std::size_t lineLength = 2;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            std::string& cell = cells[static_cast<std::size_t>(r) * columns + c];
            cell = cellText(grid.at(r, c));
            widths[c] = std::max(widths[c], cell.size());
        }
    }
    for (const std::size_t w : widths) {
        lineLength += w + 2;
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(rows) * lineLength);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::string& cell = cells[static_cast<std::size_t>(r) * columns + c];
            const std::size_t w = widths[c];
            const std::size_t start = out.size();
            switch (look.alignment(grid, r, c)) {
            case Alignment::Right:
                out.append(w - cell.size(), ' ');
                out += cell;
                break;
            case Alignment::Center: {
                const std::size_t sides = (w - cell.size() + 1) / 2;
                out.append(sides, ' ');
                out += cell;
                out.append(sides, ' ');
                break;
            }
            case Alignment::Left:
                out += cell;
                break;
            }
            const std::size_t written = out.size() - start;
            if (written < w + 1) {
                out.append(w + 1 - written, ' ');
            }
        }
        out += "\r\n";
    }
    return out;
}

} // namespace ledgora
