#include "register/Grid.h"

#include <algorithm>
#include <stdexcept>

namespace ledgora {
namespace {
const std::string kEmpty;
} // namespace

Grid::Grid(int rows, int columns)
    : rows_(std::max(rows, 0)), columns_(std::max(columns, 0)),
      cells_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_)),
      widths_(static_cast<std::size_t>(columns_), kDefaultColumnWidth) {}

const std::string& Grid::at(int row, int column) const {
    return contains(row, column) ? cells_[index(row, column)] : kEmpty;
}

std::string& Grid::at(int row, int column) {
    if (!contains(row, column)) {
        throw std::out_of_range("Grid cell outside the grid");
    }
    return cells_[index(row, column)];
}

void Grid::setRowCount(int rows) {
    rows_ = std::max(rows, 0);
    cells_.resize(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_));
}

void Grid::setColumnCount(int columns) {
    columns = std::max(columns, 0);
    if (columns == columns_) {
        return;
    }
    decltype(cells_) cells(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns));
    const int keep = std::min(columns, columns_);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < keep; ++c) {
            cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                  static_cast<std::size_t>(c)] = std::move(cells_[index(r, c)]);
        }
    }
    cells_ = std::move(cells);
    columns_ = columns;
    widths_.resize(static_cast<std::size_t>(columns_), kDefaultColumnWidth);
}

int Grid::columnWidth(int column) const {
    return column >= 0 && column < columns_ ? widths_[static_cast<std::size_t>(column)]
                                            : kDefaultColumnWidth;
}

void Grid::setColumnWidth(int column, int width) {
    if (column >= 0 && column < columns_) {
        widths_[static_cast<std::size_t>(column)] = width;
    }
}

void Grid::reserveRows(int rows) {
    cells_.reserve(static_cast<std::size_t>(std::max(rows, 0)) *
                   static_cast<std::size_t>(columns_));
}

void Grid::insertRow(int row) {
    row = std::clamp(row, 0, rows_);
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(index(row, 0)),
                  static_cast<std::size_t>(columns_), std::string());
    ++rows_;
}

void Grid::removeRow(int row) {
    if (row < 0 || row >= rows_) {
        return;
    }
    const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(index(row, 0));
    cells_.erase(first, first + columns_);
    --rows_;
}

void Grid::clearRows(int firstRow) {
    for (int r = std::max(firstRow, 0); r < rows_; ++r) {
        clearRow(r);
    }
}

void Grid::clearRow(int row) {
    if (row < 0 || row >= rows_) {
        return;
    }
    for (int c = 0; c < columns_; ++c) {
        cells_[index(row, c)].clear();
    }
}

void Grid::permuteRows(int firstRow, const std::vector<int>& order) {
    // Follows each cycle of the permutation, swapping rows in place: no cell is copied
    // and no second grid is allocated.
    const std::size_t n = order.size();
    std::vector<bool> placed(n, false);
    for (std::size_t start = 0; start < n; ++start) {
        if (placed[start]) {
            continue;
        }
        std::size_t at = start;
        while (true) {
            placed[at] = true;
            const std::size_t from = static_cast<std::size_t>(order[at] - firstRow);
            if (from == start) {
                break;
            }
            for (int c = 0; c < columns_; ++c) {
                std::swap(cells_[index(firstRow + static_cast<int>(at), c)],
                          cells_[index(firstRow + static_cast<int>(from), c)]);
            }
            at = from;
        }
    }
}

} // namespace ledgora
