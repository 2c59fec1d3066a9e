// The recap window's look: a balance in black at 0 or more and in red below, the grand
// total by the same rule.
#pragma once

#include "money/Amount.h"
#include "register/GridLook.h"
#include "reports/ReportLook.h"

namespace ledgora {

// The colour of a balance and of the grand total.
Rgb recapBalanceColor(Cents balance);

class RecapLook : public GridLook {
public:
    CellLook cell(const Grid& grid, int row, int column) const override;
    int fixedColumns() const override { return 0; }
};

} // namespace ledgora
