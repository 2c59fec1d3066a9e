// A grid of text cells: the register, the planning and every scratch register are one.
// Row 0 holds the captions and column 0 the row numbers; cells are UTF-8 strings, an
// empty cell is an empty string. Rows are stored one after another, so whole-row moves
// (sort, clean-up) move strings, never copy them.
#pragma once

#include <string>
#include <vector>

#include "platform/HugePageAllocator.h"

namespace ledgora {

class Grid {
public:
    static constexpr int kDefaultColumnWidth = 64;

    Grid() = default;
    Grid(int rows, int columns);

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }

    // Cells outside the grid read as empty.
    const std::string& at(int row, int column) const;
    // The cell must lie inside the grid.
    std::string& at(int row, int column);
    void set(int row, int column, std::string text) { at(row, column) = std::move(text); }
    bool contains(int row, int column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }

    // Resizing keeps the cells that still fit; new cells are empty.
    void setRowCount(int rows);
    void setColumnCount(int columns);

    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // Makes room for `rows` rows without moving the cells again when rows are added.
    void reserveRows(int rows);
    // Inserts an empty row before `row` (rowCount() appends).
    void insertRow(int row);
    void removeRow(int row);
    // Removes the rows from `firstRow` on for which drop(grid, row) is true; the others
    // keep their order. One pass, whatever the number removed.
    template <typename Drop> void removeRowsIf(int firstRow, Drop&& drop);
    // Empties every cell of the rows from `firstRow` on.
    void clearRows(int firstRow);
    void clearRow(int row);
    // Rows firstRow.. are rearranged so that new row firstRow+i is old row order[i].
    void permuteRows(int firstRow, const std::vector<int>& order);

    bool operator==(const Grid&) const = default;

private:
    std::size_t index(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }

    int rows_ = 0;
    int columns_ = 0;
    std::vector<std::string, platform::HugePageAllocator<std::string>> cells_;
    std::vector<int> widths_;
};

template <typename Drop> void Grid::removeRowsIf(int firstRow, Drop&& drop) {
    int out = firstRow;
    for (int r = firstRow; r < rows_; ++r) {
        if (drop(static_cast<const Grid&>(*this), r)) {
            continue;
        }
        if (out != r) {
            for (int c = 0; c < columns_; ++c) {
                cells_[index(out, c)] = std::move(cells_[index(r, c)]);
            }
        }
        ++out;
    }
    setRowCount(out);
}

} // namespace ledgora
