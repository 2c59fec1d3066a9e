#include "reports/RecapLook.h"

namespace ledgora {

Rgb recapBalanceColor(Cents balance) {
    return balance >= 0 ? colors::kBlack : colors::kNegative;
}

CellLook RecapLook::cell(const Grid& grid, int row, int column) const {
    CellLook look = keyAmountCell(row, column, fixedRows());
    if (row < fixedRows()) {
        return look;
    }
    const std::string& balance = grid.at(row, 1);
    if (column == 1 && !balance.empty()) {
        look.text = recapBalanceColor(parseCents(balance));
    }
    return look;
}

} // namespace ledgora
