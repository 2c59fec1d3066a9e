#include "planning/BudgetTableLook.h"

#include <algorithm>

#include "money/Amount.h"
#include "planning/BudgetTable.h"
#include "planning/SpentInMonth.h"

namespace ledgora {

BudgetTableLook::BudgetTableLook(const MonthlySpending& spending, int year, int month)
    : spending_(spending), year_(year), month_(month) {}

CellLook BudgetTableLook::cell(const Grid& grid, int row, int column) const {
    CellLook look;
    if (row < fixedRows()) {
        look.background = colors::kFixed;
        look.alignment = Alignment::Center;
        return look;
    }
    look.background = row % 2 == 1 ? budget_colors::kOddRow : budget_colors::kEvenRow;
    const Cents maximum = parseCents(grid.at(row, budget_col::Maximum));
    if (column == budget_col::Maximum) {
        look.alignment = Alignment::Right;
        if (maximum > 0) {
            look.text = colors::kNegative;
        }
    } else if (column == budget_col::Category && maximum > 0) {
        const std::string& category = grid.at(row, budget_col::Category);
        if (spentInMonth(spending_, category, year_, month_) > maximum) {
            look.text = colors::kNegative;
            look.bold = true;
        }
    }
    return look;
}

int BudgetTableLook::shownColumns(const Grid& grid) const {
    return std::min(grid.columnCount(), budget_col::Ecart);
}

} // namespace ledgora
