#include "planning/SpentInMonth.h"

namespace ledgora {

Cents spentInMonth(const MonthlySpending& spending, const std::string& category, int year,
                   int month) {
    return spending.spending(category, year, month);
}

} // namespace ledgora
