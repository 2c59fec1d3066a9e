#include "register/RegisterLook.h"

#include <algorithm>

#include "register/RegisterColumns.h"

namespace ledgora {

RegisterLook::RegisterLook(const BudgetLimits& limits, const MonthlySpending* spending)
    : limits_(limits), spending_(spending) {}

CellLook RegisterLook::cell(const Grid& grid, int row, int column) const {
    CellLook look;
    look.alignment = registerCellAlignment(row, column);
    if (row < fixedRows() || column < fixedColumns()) {
        look.background = colors::kFixed;
        return look;
    }
    const CellStyle style = registerCellStyle(grid, row, column, limits_, spending_);
    if (style.ownBackground) {
        look.background = style.background;
    }
    if (style.ownText) {
        look.text = style.text;
    }
    look.bold = style.bold;
    return look;
}

Alignment RegisterLook::alignment(const Grid&, int row, int column) const {
    return registerCellAlignment(row, column);
}

int RegisterLook::shownColumns(const Grid& grid) const {
    return std::min(grid.columnCount(), kShownColumns);
}

std::optional<Rgb> RegisterLook::gridColor() const {
    return colors::kRegister;
}

} // namespace ledgora
