// The register's look: its cell rule (odd-row tint, amount and balance colours, the
// category over its monthly maximum in red and bold) and its alignments, with the caption
// row and the number column in the fixed colour.
#pragma once

#include "register/BudgetLimits.h"
#include "register/GridLook.h"
#include "register/MonthlySpending.h"

namespace ledgora {

class RegisterLook : public GridLook {
public:
    // `spending` must be current for the grid asked about; null when no category has a
    // maximum (nothing is then over budget). Both are borrowed, not owned.
    RegisterLook(const BudgetLimits& limits, const MonthlySpending* spending);

    CellLook cell(const Grid& grid, int row, int column) const override;
    Alignment alignment(const Grid& grid, int row, int column) const override;
    int shownColumns(const Grid& grid) const override;
    std::optional<Rgb> gridColor() const override;

private:
    const BudgetLimits& limits_;
    const MonthlySpending* spending_;
};

} // namespace ledgora
