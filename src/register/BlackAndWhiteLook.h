// Any grid's look without its colours, for "black and white" printing: the same bold and
// alignments, no text colour, no background.
#pragma once

#include "register/GridLook.h"

namespace ledgora {

class BlackAndWhiteLook : public GridLook {
public:
    // `colour` is borrowed and must outlive this look.
    explicit BlackAndWhiteLook(const GridLook& colour);

    CellLook cell(const Grid& grid, int row, int column) const override;
    Alignment alignment(const Grid& grid, int row, int column) const override;
    int shownColumns(const Grid& grid) const override;
    int fixedRows() const override;
    int fixedColumns() const override;
    std::optional<Rgb> gridColor() const override;

private:
    const GridLook& colour_;
};

} // namespace ledgora
