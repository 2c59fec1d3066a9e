// The monthly planning grid's columns (column 0 holds row numbers).
#pragma once

#include "register/RegisterColumns.h"

namespace ledgora {

namespace planning_col {
inline constexpr int Day = 1;
inline constexpr int Rubrique = 2;
inline constexpr int Notes = 3;
inline constexpr int Mode = 4;
inline constexpr int Debit = 5;
inline constexpr int Credit = 6;
// Columns from this one on (the remainders and the mark) are never shown.
inline constexpr int Shown = 7;
inline constexpr int Deber = 7;
inline constexpr int Creder = 8;
inline constexpr int Entered = 9;
inline constexpr int Count = 10;
} // namespace planning_col

inline constexpr AmountColumns kPlanningAmounts{planning_col::Debit, planning_col::Credit,
                                                planning_col::Deber, planning_col::Creder};

} // namespace ledgora
