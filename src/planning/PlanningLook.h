// The planning's look, shared by its window and its printout: a pink grid with tinted odd
// rows, debits green and credits blue on the right, the day bold and centred.
#pragma once

#include "register/GridLook.h"

namespace ledgora {

namespace planning_colors {
inline constexpr Rgb kGrid{255, 240, 240};
} // namespace planning_colors

class PlanningLook : public GridLook {
public:
    CellLook cell(const Grid& grid, int row, int column) const override;
    int shownColumns(const Grid& grid) const override;
    std::optional<Rgb> gridColor() const override { return planning_colors::kGrid; }
};

} // namespace ledgora
