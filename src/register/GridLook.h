// How a grid's cells look, asked by everything that shows a grid: the screen's grid view,
// the printout and the exports. One look per kind of grid (the register's, a report's...)
// holds that grid's colour rule, so the screen, the paper and the files agree.
#pragma once

#include <optional>

#include "register/CellRules.h"
#include "register/Grid.h"

namespace ledgora {

// The look of one cell. An absent colour means "the rule sets none": a view then uses its
// own default (the grid's colour, black text), a printout and an export paint nothing.
struct CellLook {
    std::optional<Rgb> text;
    std::optional<Rgb> background;
    bool bold = false;
    Alignment alignment = Alignment::Left;

    bool operator==(const CellLook&) const = default;
};

class GridLook {
public:
    virtual ~GridLook() = default;

    // The look of a cell of `grid`; row and column lie inside the grid. Fixed cells (the
    // caption rows and the number columns) carry their own background here too.
    virtual CellLook cell(const Grid& grid, int row, int column) const = 0;
    // cell().alignment, for writers that need no more; a look answers it without its
    // colour rule when it can.
    virtual Alignment alignment(const Grid& grid, int row, int column) const {
        return cell(grid, row, column).alignment;
    }

    // The columns shown, from 0: columns from this one on are kept out of sight (the
    // register's conversion remainders). At most grid.columnCount().
    virtual int shownColumns(const Grid& grid) const { return grid.columnCount(); }
    // The leading rows and columns that are captions and row numbers rather than data.
    virtual int fixedRows() const { return 1; }
    virtual int fixedColumns() const { return 1; }
    // The colour under cells whose look sets no background; none for the view's default.
    virtual std::optional<Rgb> gridColor() const { return std::nullopt; }
};

} // namespace ledgora
