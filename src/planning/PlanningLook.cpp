#include "planning/PlanningLook.h"

#include <algorithm>

#include "planning/PlanningSheet.h"

namespace ledgora {

CellLook PlanningLook::cell(const Grid&, int row, int column) const {
    CellLook look;
    if (row < fixedRows() || column < fixedColumns()) {
        look.background = colors::kFixed;
        look.alignment = Alignment::Center;
        return look;
    }
    if (row % 2 == 1) {
        look.background = colors::kOddRow;
    }
    switch (column) {
    case planning_col::Day:
        look.bold = true;
        look.alignment = Alignment::Center;
        break;
    case planning_col::Debit:
        look.text = colors::kDebit;
        look.alignment = Alignment::Right;
        break;
    case planning_col::Credit:
        look.text = colors::kCredit;
        look.alignment = Alignment::Right;
        break;
    case planning_col::Entered:
        look.alignment = Alignment::Center;
        break;
    default:
        break;
    }
    return look;
}

int PlanningLook::shownColumns(const Grid& grid) const {
    return std::min(grid.columnCount(), planning_col::Shown);
}

} // namespace ledgora
