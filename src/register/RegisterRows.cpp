#include "register/RegisterRows.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "money/DateText.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"

namespace ledgora {

Grid makeRegister(int rows) {
    Grid reg(std::max(rows, 1), kRegisterColumns);
    setRegisterCaptions(reg);
    renumberRows(reg);
    return reg;
}

void setRegisterCaptions(Grid& reg) {
    for (int c = 0; c < std::min(reg.columnCount(), kRegisterColumns); ++c) {
        reg.set(0, c, std::string(kColumnCaptions[static_cast<std::size_t>(c)]));
    }
}

bool isBlankRow(const Grid& reg, int row) {
    for (int c = col::Date; c <= col::Solde; ++c) {
        if (!reg.at(row, c).empty()) {
            return false;
        }
    }
    return true;
}

bool isInitialBalanceRow(const Grid& reg, int row) {
    return reg.at(row, col::Notes) == kInitialBalanceText;
}

void renumberRows(Grid& reg, int numberColumn) {
    if (numberColumn >= reg.columnCount()) {
        return;
    }
    char buf[16];
    for (int r = 1; r < reg.rowCount(); ++r) {
        const auto end = std::to_chars(buf, buf + sizeof buf, r).ptr;
        reg.set(r, numberColumn, std::string_view(buf, static_cast<std::size_t>(end - buf)));
    }
}

void appendRow(Grid& reg) {
    reg.insertRow(reg.rowCount());
    renumberRows(reg);
}

void cleanUpBlankRows(Grid& reg) {
    reg.removeRowsIf(1, [](const Grid& g, int r) { return isBlankRow(g, r); });
    appendRow(reg);
}

void sortByDate(Grid& reg) {
    const int n = reg.rowCount() - 1;
    if (n < 2) {
        return;
    }
    std::vector<long> keys(static_cast<std::size_t>(n));
    bool sorted = true;
    for (int i = 0; i < n; ++i) {
        keys[static_cast<std::size_t>(i)] = dateSortKey(reg.at(i + 1, col::Date));
        sorted = sorted && (i == 0 || keys[static_cast<std::size_t>(i - 1)] <=
                                          keys[static_cast<std::size_t>(i)]);
    }
    if (sorted) {
        return;
    }
    // A stable sort leaves equal dates in place: the same order as swapping neighbours.
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    for (int& o : order) {
        ++o;
    }
    reg.permuteRows(1, order);
}

std::optional<std::string> readAccountFile(const std::filesystem::path& file, Grid& reg,
                                           int rowsBefore) {
    Grid scratch = makeRegister(std::max(rowsBefore, 1));
    if (auto error = loadGridFile(file, scratch)) {
        return error;
    }
    scratch.set(0, 0, {});
    scratch.setColumnCount(kRegisterColumns);
    sortByDate(scratch);
    // Every later pass over the register, the clean-up first, reads it in row order: the
    // cells go in that order once, here.
    scratch.compact();
    cleanUpBlankRows(scratch);
    reg = std::move(scratch);
    return std::nullopt;
}

bool canDeleteRow(bool accountOpen, const Grid& reg, int row) {
    const int last = reg.rowCount() - 1;
    if (!accountOpen || row < 1 || row > last || reg.rowCount() <= kInitialRows) {
        return false;
    }
    if (row == last && isBlankRow(reg, row)) {
        return false;
    }
    return !isInitialBalanceRow(reg, row);
}

bool canInsertAfter(bool accountOpen, const Grid& reg, int row) {
    return accountOpen && row >= 1 && row < reg.rowCount() - 1;
}

} // namespace ledgora
