#include "register/RegisterRows.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <numeric>

#include "money/DateText.h"
#include "platform/HugePageAllocator.h"
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
        if (!reg.isEmpty(row, c)) {
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

namespace {

// dateSortKey() as a small number: 0 for an empty or unreadable date, the day's serial
// plus one otherwise (every date from year 1 to 9999 fits). The "dd/mm/yyyy" every cell
// holds is read without parsing each field twice.
std::uint32_t dateKey(std::string_view text) {
    const auto digit = [&](std::size_t i) { return static_cast<unsigned>(text[i] - '0'); };
    if (text.size() == 10 && text[2] == '/' && text[5] == '/') {
        bool digits = true;
        for (const std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9}) {
            digits = digits && digit(i) <= 9;
        }
        if (digits) {
            const Date d{
                static_cast<int>(digit(6) * 1000 + digit(7) * 100 + digit(8) * 10 + digit(9)),
                static_cast<int>(digit(3) * 10 + digit(4)),
                static_cast<int>(digit(0) * 10 + digit(1))};
            return isValidDate(d.year, d.month, d.day) ? static_cast<std::uint32_t>(d.serial() + 1)
                                                       : 0;
        }
    }
    const long key = dateSortKey(text);
    return key == LONG_MIN ? 0 : static_cast<std::uint32_t>(key + 1);
}

constexpr std::size_t kCompactingJumps = 4096;

} // namespace

void sortByDate(Grid& reg) {
    const int n = reg.rowCount() - 1;
    if (n < 2) {
        return;
    }
    const auto count = static_cast<std::size_t>(n);
    std::vector<std::uint32_t, platform::HugePageAllocator<std::uint32_t>> keys(count);
    bool sorted = true;
    std::uint32_t low = UINT32_MAX;
    std::uint32_t high = 0;
    for (std::size_t i = 0; i < count; ++i) {
        keys[i] = dateKey(reg.at(static_cast<int>(i) + 1, col::Date));
        sorted = sorted && (i == 0 || keys[i - 1] <= keys[i]);
        low = std::min(low, keys[i]);
        high = std::max(high, keys[i]);
    }
    if (sorted) {
        return;
    }
    // A stable sort leaves equal dates in place: the same order as swapping neighbours.
    // Counting sorts by the low then the high half of the key, each stable, make one.
    constexpr int kDigitBits = 16;
    constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
    const std::uint32_t range = high - low;
    std::vector<int, platform::HugePageAllocator<int>> from;
    std::vector<int, platform::HugePageAllocator<int>> order(count);
    // No digit is larger than the range: a register of a few decades needs a short list.
    std::vector<std::uint32_t> place(std::min<std::size_t>(kDigits, std::size_t{range} + 1));
    for (int shift = 0; shift == 0 || (shift < 32 && (range >> shift) != 0); shift += kDigitBits) {
        const auto digitOf = [&](std::size_t row) {
            return ((keys[row] - low) >> shift) & (kDigits - 1);
        };
        // The first pass takes the rows in their order: no list of them to read.
        const auto rowAt = [&](std::size_t i) {
            return shift == 0 ? i : static_cast<std::size_t>(from[i]);
        };
        std::fill(place.begin(), place.end(), 0);
        for (std::size_t i = 0; i < count; ++i) {
            ++place[digitOf(i)];
        }
        std::uint32_t at = 0;
        for (std::uint32_t& p : place) {
            const std::uint32_t k = p;
            p = at;
            at += k;
        }
        order.resize(count); // after the first pass, the list the pass before swapped away
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t row = rowAt(i);
            order[place[digitOf(row)]++] = static_cast<int>(row);
        }
        from.swap(order);
    }
    // Rows that land beside a row that was not their neighbour: past a few, a later pass
    // in row order would read the cells and texts from all over the grid.
    std::size_t jumps = 0;
    for (std::size_t i = 0; i < count; ++i) {
        jumps += i > 0 && from[i] != from[i - 1] + 1 ? 1 : 0;
        ++from[i];
    }
    reg.permuteRows(1, from);
    if (jumps >= kCompactingJumps && jumps > count / 8) {
        // The keys and lists go first: a large register's peak is that of its compaction.
        keys = decltype(keys)();
        from = decltype(from)();
        order = decltype(order)();
        reg.compact();
    }
}

std::optional<std::string> readAccountFile(const std::filesystem::path& file, Grid& reg,
                                           int rowsBefore) {
    Grid scratch = makeRegister(std::max(rowsBefore, 1));
    // The row numbers are written again once the rows are in place.
    if (auto error = loadGridFile(file, scratch, col::Number)) {
        return error;
    }
    scratch.set(0, 0, {});
    scratch.setColumnCount(kRegisterColumns);
    // Every later pass over the register, the clean-up first, reads it in row order: the
    // cells go in that order once, here (the sort lays them out when it moved many).
    sortByDate(scratch);
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
