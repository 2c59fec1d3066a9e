#include "planning/SpentInMonth.h"

namespace ledgora {
namespace {

// The spending is summed in whichever unit the register keeps it.
[[maybe_unused]] Cents asCents(double amount) {
    return centsOf(amount);
}
[[maybe_unused]] Cents asCents(Cents amount) {
    return amount;
}

} // namespace

Cents spentInMonth(const MonthlySpending& spending, const std::string& category, int year,
                   int month) {
    return asCents(spending.spending(category, year, month));
}

} // namespace ledgora
