#include "reports/RecapLook.h"

namespace ledgora {

Rgb recapBalanceColor(Cents balance) {
    return balance >= 0 ? colors::kBlack : colors::kNegative;
}

CellLook RecapLook::cell(const Grid& grid, int row, int column) const {
    CellLook look;
    look.alignment = column == 1 ? Alignment::Right : Alignment::Left;
    if (row < fixedRows()) {
        look.background = colors::kFixed;
        if (column == 0) {
            look.alignment = Alignment::Center;
        }
        return look;
    }
    const std::string& balance = grid.at(row, 1);
    if (column == 1 && !balance.empty()) {
        look.text = recapBalanceColor(parseCents(balance));
    }
    return look;
}

} // namespace ledgora
