// A category's debits in one month, read from the register's monthly spending in cents,
// for the alarm and the alarms window alike.
#pragma once

#include <string>

#include "money/Amount.h"
#include "register/MonthlySpending.h"

namespace ledgora {

Cents spentInMonth(const MonthlySpending& spending, const std::string& category, int year,
                   int month);

} // namespace ledgora
