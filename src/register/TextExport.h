// The register's fixed-width text export: one line per row, each shown column padded to
// the width of its longest text so that the columns line up. Write-only.
#pragma once

#include <string>

#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// The file's bytes, Windows-1252 with CR LF line ends. Each column is as wide as its
// longest text (caption included) plus one space; right-aligned cells are padded on the
// left, centred ones with a space on each side until they are at least as wide, left ones
// on the right. A line break inside a cell is written as one space, so a row stays one
// line.
std::string fixedWidthTextExport(const Grid& grid, const GridLook& look);

} // namespace ledgora
