// Views of cell texts that a pass keeps after the CellText it read: a text the CellText
// held itself (a number cell, packed digits) ends with it, so it is copied here; any other
// stays a view of the grid's bytes.
#pragma once

#include <deque>
#include <string>
#include <string_view>

#include "register/CellText.h"

namespace ledgora {

class KeptCellTexts {
public:
    // Valid as long as this object and the cell, whichever ends first.
    std::string_view keep(const CellText& text) {
        return text.ownsText() ? std::string_view(copies_.emplace_back(text))
                               : std::string_view(text);
    }

private:
    std::deque<std::string> copies_;
};

} // namespace ledgora
