// How a calculator's result grid is drawn, cell by cell, so that the window and its
// printout agree: the summary rows on the tooltip colour, the bold header row on light
// grey, and the alignment of each cell.
#pragma once

#include <cstdint>

namespace fincalc {

// The tooltip colour is the system's, so it is named rather than given as a colour.
enum class CellShade { Plain, Tooltip, Header };

// The background of CellShade::Header.
struct HeaderColour {
    static constexpr std::uint8_t r = 229;
    static constexpr std::uint8_t g = 229;
    static constexpr std::uint8_t b = 229;
};

enum class CellAlign { Left, Center, Right };

struct CellLook {
    CellShade shade = CellShade::Plain;
    bool bold = false;
    CellAlign align = CellAlign::Left;
    bool operator==(const CellLook&) const = default;
};

// Rows 0 to 5 tooltip-coloured, row 7 bold on light grey; rows 0 to 6 with column 0 to
// the right and the others to the left, from row 7 column 0 centred and the others to
// the right. Black-and-white printing turns the shading off (`colour` false), on screen
// too, and keeps the rest.
CellLook calculatorCellLook(int row, int column, bool colour = true);

} // namespace fincalc
