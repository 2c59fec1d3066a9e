// How a calculator's result grid is drawn, cell by cell, so that the window and its
// printout agree: the summary rows on the tooltip colour, the bold header row on light
// grey, and the alignment of each cell. Black-and-white printing wraps it in
// ledgora::BlackAndWhiteLook, which keeps the bold and the alignments.
#pragma once

#include "register/GridLook.h"

namespace fincalc {

// The background of the bold header row (row 7).
inline constexpr ledgora::Rgb kHeaderBackground{229, 229, 229};

class CalculatorGridLook : public ledgora::GridLook {
public:
    // `tooltip` is the system's tooltip background, which only the desktop knows: the
    // window that shows or prints the grid passes it in.
    explicit CalculatorGridLook(ledgora::Rgb tooltip) : tooltip_(tooltip) {}

    // Rows 0 to 5 on the tooltip colour, row 7 bold on kHeaderBackground; rows 0 to 6 with
    // column 0 to the right and the others to the left, from row 7 on column 0 centred and
    // the others to the right.
    ledgora::CellLook cell(const ledgora::Grid& grid, int row, int column) const override;
    ledgora::Alignment alignment(const ledgora::Grid& grid, int row, int column) const override;
    // The captions are ordinary cells: no caption row, no number column.
    int fixedRows() const override { return 0; }
    int fixedColumns() const override { return 0; }

private:
    ledgora::Rgb tooltip_;
};

} // namespace fincalc
