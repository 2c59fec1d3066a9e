#include "register/MonthlySpending.h"

#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "money/Amount.h"
#include "money/DateText.h"
#include "register/KeptCellTexts.h"
#include "register/RegisterColumns.h"

namespace ledgora {

std::string MonthlySpending::key(const std::string& category, int year, int month) {
    return std::to_string(year * 100 + month) + '\x01' + category;
}

MonthlySpending::Entry MonthlySpending::entryOf(const Grid& reg, int row) {
    Entry e;
    const CellText debit = reg.at(row, col::Debit);
    if (debit.empty()) {
        return e;
    }
    const auto date = parseDate(reg.at(row, col::Date));
    if (!date) {
        return e;
    }
    e.counted = true;
    e.category = reg.at(row, col::Rubrique);
    e.year = date->year;
    e.month = date->month;
    e.debit = parseCents(debit);
    return e;
}

namespace {

// A category and month while the register is read, its text still the grid's own.
struct Month {
    std::string_view category;
    int year = 0;
    int month = 0;
    bool operator==(const Month&) const = default;
};

struct MonthHash {
    std::size_t operator()(const Month& m) const {
        return std::hash<std::string_view>()(m.category) ^
               (static_cast<std::size_t>(m.year * 12 + m.month) * 0x9E3779B97F4A7C15ULL);
    }
};

} // namespace

void MonthlySpending::rebuild(const Grid& reg) {
    unsummed_ = nullptr;
    makeSums(reg);
}

void MonthlySpending::rebuildWhenAsked(const Grid& reg) {
    unsummed_ = &reg;
    sums_.clear();
}

void MonthlySpending::settle() const {
    if (unsummed_ != nullptr) {
        const Grid& reg = *unsummed_;
        unsummed_ = nullptr;
        makeSums(reg);
    }
}

void MonthlySpending::makeSums(const Grid& reg) const {
    // What entryOf() reads of each row, without a string made per row: a million rows open
    // in the time of a few texts per category and month. A register sorted by date repeats
    // a date over many rows, so a date is parsed once per run.
    std::unordered_map<Month, Cents, MonthHash> sums;
    KeptCellTexts categories;
    CellText lastDateText;
    std::optional<Date> lastDate;
    bool haveLast = false;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const CellText debit = reg.at(r, col::Debit);
        if (debit.empty()) {
            continue;
        }
        const CellText dateText = reg.at(r, col::Date);
        if (!haveLast || std::string_view(dateText) != std::string_view(lastDateText)) {
            lastDate = parseDate(dateText);
            lastDateText = dateText;
            haveLast = true;
        }
        if (!lastDate) {
            continue;
        }
        const std::string_view name = categories.keep(reg.at(r, col::Rubrique));
        Cents& sum = sums[Month{name, lastDate->year, lastDate->month}];
        sum = addCents(sum, parseCents(debit));
    }
    sums_.clear();
    sums_.reserve(sums.size());
    for (const auto& [month, sum] : sums) {
        sums_.emplace(key(std::string(month.category), month.year, month.month), sum);
    }
}

void MonthlySpending::update(const Grid& reg, int row, const Entry& before) {
    if (unsummed_ != nullptr) {
        return;
    }
    const Entry after = entryOf(reg, row);
    if (before.counted) {
        sums_[key(before.category, before.year, before.month)] -= before.debit;
    }
    if (after.counted) {
        sums_[key(after.category, after.year, after.month)] += after.debit;
    }
}

bool MonthlySpending::operator==(const MonthlySpending& other) const {
    settle();
    other.settle();
    // update() leaves a sum at 0 where rebuild() would have none.
    const auto within = [](const auto& sums, const auto& in) {
        for (const auto& [key, sum] : sums) {
            const auto it = in.find(key);
            if (sum != (it == in.end() ? 0 : it->second)) {
                return false;
            }
        }
        return true;
    };
    return within(sums_, other.sums_) && within(other.sums_, sums_);
}

Cents MonthlySpending::spending(const std::string& category, int year, int month) const {
    settle();
    const auto it = sums_.find(key(category, year, month));
    return it == sums_.end() ? 0 : it->second;
}

} // namespace ledgora
