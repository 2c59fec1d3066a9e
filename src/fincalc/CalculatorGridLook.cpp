#include "fincalc/CalculatorGridLook.h"

namespace fincalc {

ledgora::CellLook CalculatorGridLook::cell(const ledgora::Grid& grid, int row, int column) const {
    ledgora::CellLook look;
    if (row >= 0 && row <= 5) {
        look.background = tooltip_;
    } else if (row == 7) {
        look.background = kHeaderBackground;
    }
    look.bold = row == 7;
    look.alignment = alignment(grid, row, column);
    return look;
}

ledgora::Alignment CalculatorGridLook::alignment(const ledgora::Grid&, int row, int column) const {
    using ledgora::Alignment;
    if (row < 7) {
        return column == 0 ? Alignment::Right : Alignment::Left;
    }
    return column == 0 ? Alignment::Center : Alignment::Right;
}

} // namespace fincalc
