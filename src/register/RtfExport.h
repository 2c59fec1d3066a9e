// The register's word-processor export (".doc"): an RTF document holding one table of the
// shown cells, with right and centred paragraphs where the grid's look aligns them.
// Write-only.
#pragma once

#include <string>

#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// The file's bytes: RTF in Windows-1252, one table row per grid row (the caption rows
// repeated at the top of each page), single borders, column widths after the longest
// texts and fitted to an A4 portrait page. "\", "{" and "}" are escaped, 8-bit characters
// written as \'xx, a line break inside a cell as \line, a tab as \tab.
std::string rtfExport(const Grid& grid, const GridLook& look);

} // namespace ledgora
