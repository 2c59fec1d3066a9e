// The register's web-page export: one HTML table of the shown cells in the colours,
// boldness and alignments of the grid's look. Write-only.
#pragma once

#include <string>

#include "register/Grid.h"
#include "register/GridLook.h"

namespace ledgora {

// The file's bytes, Windows-1252 with CR LF line ends: a charset line, the table start
// tag, then per row a "<tr>" line, one "<td>" line per shown column and a "</tr>" line,
// then "</table>". A cell carries align when its look is right or centred and it is not
// empty, bgcolor when its look has a background; its text is in <b> when bold or a
// caption, and in <font color> when its look has a text colour. "&", "<" and ">" are
// written as entities, each line break as "<br>", an empty cell as "<br>".
std::string htmlExport(const Grid& grid, const GridLook& look);

} // namespace ledgora
