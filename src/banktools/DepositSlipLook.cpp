#include "banktools/DepositSlipLook.h"

#include "banktools/DepositSlip.h"

namespace ledgora {

DepositSlipLook DepositSlipLook::selection() {
    return DepositSlipLook(slip_col::Tick, slip_col::Montant);
}

DepositSlipLook DepositSlipLook::print() {
    return DepositSlipLook(-1, slip_print_col::Montant);
}

CellLook DepositSlipLook::cell(const Grid&, int row, int column) const {
    CellLook look;
    if (row < fixedRows() || column < fixedColumns()) {
        look.background = colors::kFixed;
        look.alignment = Alignment::Center;
        return look;
    }
    if (row % 2 == 1) {
        look.background = slip_colors::kOddRow;
    }
    if (column == amountColumn_) {
        look.text = slip_colors::kAmount;
        look.alignment = Alignment::Right;
    } else if (column == tickColumn_) {
        look.alignment = Alignment::Center;
    }
    return look;
}

} // namespace ledgora
