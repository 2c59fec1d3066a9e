// The report window's look: totals in blue (0 or more) or green (negative), and, in the
// reports compared with the budgets, a category past its maximum in red and bold.
#pragma once

#include "register/BudgetLimits.h"
#include "register/GridLook.h"
#include "reports/BudgetReport.h"

namespace ledgora {

namespace report_colors {
inline constexpr Rgb kReceipt{0, 0, 255};
inline constexpr Rgb kExpense{0, 128, 0};
inline constexpr Rgb kOverBudget{255, 0, 0};
} // namespace report_colors

// What the two-column tables (key, amount) share: the amount right-aligned, the caption
// rows in the fixed colour with the key's caption centred.
CellLook keyAmountCell(int row, int column, int fixedRows);

class ReportLook : public GridLook {
public:
    // The look of reportGrid(report); both are borrowed.
    ReportLook(const BudgetReport& report, const BudgetLimits& budgets);

    CellLook cell(const Grid& grid, int row, int column) const override;
    int shownColumns(const Grid& grid) const override;
    int fixedColumns() const override { return 0; }

private:
    const BudgetReport& report_;
    const BudgetLimits& budgets_;
};

} // namespace ledgora
