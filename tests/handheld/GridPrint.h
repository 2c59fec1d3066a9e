// Grids in test failures: their cells, row by row.
#pragma once

#include <ostream>

#include "register/Grid.h"

namespace ledgora {

inline void PrintTo(const Grid& grid, std::ostream* os) {
    for (int r = 0; r < grid.rowCount(); ++r) {
        *os << "\n ";
        for (int c = 0; c < grid.columnCount(); ++c) {
            *os << (c > 0 ? "|" : "") << grid.at(r, c);
        }
    }
}

} // namespace ledgora
