// The register's automatic column widths: each column as wide as its contents want, but
// never wider than the view can show beside the others, so that a long note never pushes
// the amounts out of sight.
#pragma once

#include <cstddef>
#include <vector>

namespace ledgora {

// One column sized to its contents (a right click on its caption): `wanted`, but no more
// than `available` leaves beside `othersWidth`, and at least `minimum`.
int fittedColumnWidth(int wanted, int available, int othersWidth, int minimum);

// The widths of columns that keep their default widths, in a view `available` wide: each
// column as wide as it wants while they all fit; otherwise the widest give way first, all
// cut to one common width. The `stretch` column (none when out of range) then takes the
// width the others leave, however much or little its own contents want; no column is
// narrower than `minimum`.
std::vector<int> defaultColumnWidths(const std::vector<int>& wanted, int available,
                                     std::size_t stretch, int minimum);

} // namespace ledgora
