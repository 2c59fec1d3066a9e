#include "register/BlackAndWhiteLook.h"

namespace ledgora {

BlackAndWhiteLook::BlackAndWhiteLook(const GridLook& colour) : colour_(colour) {}

CellLook BlackAndWhiteLook::cell(const Grid& grid, int row, int column) const {
    CellLook look = colour_.cell(grid, row, column);
    look.text.reset();
    look.background.reset();
    return look;
}

Alignment BlackAndWhiteLook::alignment(const Grid& grid, int row, int column) const {
    return colour_.alignment(grid, row, column);
}

int BlackAndWhiteLook::shownColumns(const Grid& grid) const {
    return colour_.shownColumns(grid);
}

int BlackAndWhiteLook::fixedRows() const {
    return colour_.fixedRows();
}

int BlackAndWhiteLook::fixedColumns() const {
    return colour_.fixedColumns();
}

std::optional<Rgb> BlackAndWhiteLook::gridColor() const {
    return std::nullopt;
}

} // namespace ledgora
