// Cells as clipboard text: the cells of a row separated by TAB, rows by CR LF.
#pragma once

#include <string>
#include <vector>

#include "register/Grid.h"

namespace ledgora {

// The rectangle's cells as text, with no line end after the last row.
std::string copyCellsText(const Grid& grid, int top, int left, int bottom, int right);

// Text back to rows of cells; rows end at CR LF, CR or LF, a final line end adds no row.
std::vector<std::vector<std::string>> parseClipboardText(const std::string& text);

} // namespace ledgora
