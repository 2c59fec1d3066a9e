// The register's delimited-text export: one line per row, the shown cells separated by
// ";", for spreadsheets. Write-only: the program never reads these files back.
#pragma once

#include <string>

#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// The file's bytes, Windows-1252 with CR LF line ends: rows 0 to the last, the look's
// shown columns. An empty cell is written "" (two double quotes); a cell holding ";", a
// double quote or a line break is enclosed in double quotes, its double quotes doubled and
// the CR of each CR LF dropped; any other cell is written as it is.
std::string csvExport(const Grid& grid, const GridLook& look);

} // namespace ledgora
