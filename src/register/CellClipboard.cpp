#include "register/CellClipboard.h"

#include "platform/FileIO.h"

namespace ledgora {

std::string copyCellsText(const Grid& grid, int top, int left, int bottom, int right) {
    std::string text;
    for (int r = top; r <= bottom; ++r) {
        if (r > top) {
            text += "\r\n";
        }
        for (int c = left; c <= right; ++c) {
            if (c > left) {
                text += '\t';
            }
            text += grid.at(r, c);
        }
    }
    return text;
}

std::vector<std::vector<std::string>> parseClipboardText(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    platform::forEachLine(text, [&](std::string_view line) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            cells.emplace_back(line.substr(start, tab - start));
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        rows.push_back(std::move(cells));
    });
    return rows;
}

} // namespace ledgora
