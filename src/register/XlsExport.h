// The register's spreadsheet export (".xls"): a BIFF8 workbook inside a compound file,
// its worksheet holding the texts of the shown cells from A1, in the alignments of the
// grid's look. Write-only.
#pragma once

#include <string>

#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// The most rows a BIFF8 worksheet holds.
inline constexpr int kXlsSheetRows = 65536;
// The most characters a spreadsheet cell holds; longer texts are cut there.
inline constexpr int kXlsCellChars = 32767;

// The file's bytes. Every non-empty cell becomes a text cell, whatever it reads as: an
// amount, a date or a cheque number keeps exactly the register's text. Texts go through
// Windows-1252 like the other exports (a character it cannot hold becomes "?") and are
// stored 8-bit when they can, else 16-bit; the CR of each CR LF is dropped, as a
// spreadsheet breaks a cell's line at LF. Worksheets are named "Feuil1", "Feuil2"...: a
// grid of more than kXlsSheetRows rows continues on the next worksheet, which repeats the
// caption rows first.
std::string xlsExport(const Grid& grid, const GridLook& look);

} // namespace ledgora
