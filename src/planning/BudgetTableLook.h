// The alarms window's look: category rows tinted green in alternation, a maximum in red,
// and the name of a category already over its maximum this month in red and bold.
#pragma once

#include "register/GridLook.h"
#include "register/MonthlySpending.h"

namespace ledgora {

namespace budget_colors {
inline constexpr Rgb kOddRow{223, 255, 223};
inline constexpr Rgb kEvenRow{198, 255, 198};
} // namespace budget_colors

class BudgetTableLook : public GridLook {
public:
    // `spending` is the open register's, borrowed; (year, month) is today's month. A
    // category is over budget when its debits that month pass the maximum the grid shows.
    BudgetTableLook(const MonthlySpending& spending, int year, int month);

    CellLook cell(const Grid& grid, int row, int column) const override;
    int shownColumns(const Grid& grid) const override;
    int fixedColumns() const override { return 0; }

private:
    const MonthlySpending& spending_;
    int year_;
    int month_;
};

} // namespace ledgora
