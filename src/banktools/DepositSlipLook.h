// The deposit slip's look, on screen and on paper: a pale green grid, odd rows tinted,
// the amount in blue on the right; captions, row numbers and ticks centred.
#pragma once

#include "register/GridLook.h"

namespace ledgora {

namespace slip_colors {
inline constexpr Rgb kGrid{236, 255, 236};
inline constexpr Rgb kOddRow{230, 255, 255};
inline constexpr Rgb kAmount{0, 0, 255};
} // namespace slip_colors

class DepositSlipLook : public GridLook {
public:
    // The selection grid's look, or the printed grid's (which has no tick column).
    static DepositSlipLook selection();
    static DepositSlipLook print();

    CellLook cell(const Grid& grid, int row, int column) const override;
    std::optional<Rgb> gridColor() const override { return slip_colors::kGrid; }

private:
    DepositSlipLook(int tickColumn, int amountColumn)
        : tickColumn_(tickColumn), amountColumn_(amountColumn) {}

    int tickColumn_; // -1 for none
    int amountColumn_;
};

} // namespace ledgora
