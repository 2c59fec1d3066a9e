#include "reports/ReportLook.h"

#include <algorithm>

namespace ledgora {

CellLook keyAmountCell(int row, int column, int fixedRows) {
    CellLook look;
    look.alignment = column == 1 ? Alignment::Right : Alignment::Left;
    if (row < fixedRows) {
        look.background = colors::kFixed;
        if (column == 0) {
            look.alignment = Alignment::Center;
        }
    }
    return look;
}

ReportLook::ReportLook(const BudgetReport& report, const BudgetLimits& budgets)
    : report_(report), budgets_(budgets) {}

CellLook ReportLook::cell(const Grid& grid, int row, int column) const {
    CellLook look = keyAmountCell(row, column, fixedRows());
    if (row < fixedRows()) {
        return look;
    }
    const std::string& text = grid.at(row, 1);
    if (column == 1 && !text.empty()) {
        look.text = parseCents(text) >= 0 ? report_colors::kReceipt : report_colors::kExpense;
    }
    if (column == 0 && comparesWithBudgets(report_.request)) {
        const std::string& key = grid.at(row, 0);
        if (passesBudget(parseCents(text), budgets_.monthlyMaximum(key), report_.request.yearly)) {
            look.text = report_colors::kOverBudget;
            look.bold = true;
        }
    }
    return look;
}

int ReportLook::shownColumns(const Grid& grid) const {
    return std::min(grid.columnCount(), 2);
}

} // namespace ledgora
