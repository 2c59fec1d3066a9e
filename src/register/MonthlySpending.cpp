#include "register/MonthlySpending.h"

#include "money/Amount.h"
#include "money/DateText.h"
#include "register/RegisterColumns.h"

namespace ledgora {

std::string MonthlySpending::key(const std::string& category, int year, int month) {
    return std::to_string(year * 100 + month) + '\x01' + category;
}

void MonthlySpending::rebuild(const Grid& reg) {
    sums_.clear();
    for (int r = 1; r < reg.rowCount(); ++r) {
        const std::string& debit = reg.at(r, col::Debit);
        if (debit.empty()) {
            continue;
        }
        const auto date = parseDate(reg.at(r, col::Date));
        if (!date) {
            continue;
        }
        Cents& sum = sums_[key(reg.at(r, col::Rubrique), date->year, date->month)];
        sum = addCents(sum, parseCents(debit));
    }
}

Cents MonthlySpending::spending(const std::string& category, int year, int month) const {
    const auto it = sums_.find(key(category, year, month));
    return it == sums_.end() ? 0 : it->second;
}

} // namespace ledgora
