#include "register/MonthlySpending.h"

#include "money/Amount.h"
#include "money/DateText.h"
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

void MonthlySpending::rebuild(const Grid& reg) {
    sums_.clear();
    for (int r = 1; r < reg.rowCount(); ++r) {
        const Entry e = entryOf(reg, r);
        if (e.counted) {
            Cents& sum = sums_[key(e.category, e.year, e.month)];
            sum = addCents(sum, e.debit);
        }
    }
}

void MonthlySpending::update(const Grid& reg, int row, const Entry& before) {
    const Entry after = entryOf(reg, row);
    if (before.counted) {
        sums_[key(before.category, before.year, before.month)] -= before.debit;
    }
    if (after.counted) {
        sums_[key(after.category, after.year, after.month)] += after.debit;
    }
}

bool MonthlySpending::operator==(const MonthlySpending& other) const {
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
    const auto it = sums_.find(key(category, year, month));
    return it == sums_.end() ? 0 : it->second;
}

} // namespace ledgora
