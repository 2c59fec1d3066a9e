#include "register/GridSearch.h"

#include <algorithm>

#include "platform/TextCase.h"
#include "register/SearchPattern.h"

namespace ledgora {

bool GridSearch::matches(const std::string& cell, const FindOptions& o) {
    if (o.pattern) {
        return SearchPattern(o.text, o.caseSensitive).matches(cell);
    }
    const std::string a = o.caseSensitive ? cell : platform::foldCase(cell);
    const std::string b = o.caseSensitive ? o.text : platform::foldCase(o.text);
    if (o.wholeCell) {
        return a == b;
    }
    return !b.empty() && a.find(b) != std::string::npos;
}

std::optional<CellPosition> GridSearch::find(const Grid& grid, const FindOptions& options,
                                             CellPosition current) {
    options_ = options;
    current_ = current;
    searched_ = true;
    last_match_ = scan(grid, std::nullopt);
    return last_match_;
}

std::optional<CellPosition> GridSearch::findNext(const Grid& grid) {
    if (!searched_) {
        return std::nullopt;
    }
    last_match_ = scan(grid, last_match_);
    return last_match_;
}

std::optional<CellPosition> GridSearch::scan(const Grid& grid, std::optional<CellPosition> after) {
    int firstRow = 1;
    int lastRow = grid.rowCount() - 1;
    int firstColumn = first_;
    int lastColumn = std::min(last_, grid.columnCount() - 1);
    if (options_.scope == FindOptions::Scope::CurrentColumn) {
        firstColumn = lastColumn = current_.column;
    } else if (options_.scope == FindOptions::Scope::CurrentRow) {
        firstRow = lastRow = current_.row;
    }
    if (firstRow < 1 || lastRow < firstRow || firstColumn < first_ || lastColumn < firstColumn) {
        return std::nullopt;
    }
    // Cells are numbered in visiting order; the scan starts after the last match.
    const long rows = lastRow - firstRow + 1;
    const long columns = lastColumn - firstColumn + 1;
    const bool byColumn = options_.direction == FindOptions::Direction::TopToBottom;
    auto position = [&](long k) {
        return byColumn ? CellPosition{firstRow + static_cast<int>(k % rows),
                                       firstColumn + static_cast<int>(k / rows)}
                        : CellPosition{firstRow + static_cast<int>(k / columns),
                                       firstColumn + static_cast<int>(k % columns)};
    };
    long start = 0;
    if (after) {
        const long r = after->row - firstRow;
        const long c = after->column - firstColumn;
        if (r < 0 || r >= rows || c < 0 || c >= columns) {
            return std::nullopt;
        }
        start = (byColumn ? c * rows + r : r * columns + c) + 1;
    }
    const SearchPattern* pattern = nullptr;
    std::optional<SearchPattern> compiled;
    if (options_.pattern) {
        compiled.emplace(options_.text, options_.caseSensitive);
        pattern = &*compiled;
    }
    for (long k = start; k < rows * columns; ++k) {
        const CellPosition p = position(k);
        const std::string& cell = grid.at(p.row, p.column);
        if (pattern != nullptr ? pattern->matches(cell) : matches(cell, options_)) {
            return p;
        }
    }
    return std::nullopt;
}

} // namespace ledgora
