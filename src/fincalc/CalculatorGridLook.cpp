#include "fincalc/CalculatorGridLook.h"

namespace fincalc {

CellLook calculatorCellLook(int row, int column, bool colour) {
    CellLook look;
    if (colour && row >= 0 && row <= 5) {
        look.shade = CellShade::Tooltip;
    } else if (colour && row == 7) {
        look.shade = CellShade::Header;
    }
    look.bold = row == 7;
    if (row < 7) {
        look.align = column == 0 ? CellAlign::Right : CellAlign::Left;
    } else {
        look.align = column == 0 ? CellAlign::Center : CellAlign::Right;
    }
    return look;
}

} // namespace fincalc
