// Calculation files (".CLC"): the page, the ten variable boxes, the display mode and the
// decimals menu, as Windows-1252 lines ended by CR LF.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/DecimalsSetting.h"
#include "calculator/Worksheet.h"

namespace calculator {

struct CalcFile {
    std::vector<std::string> lines; // the page as displayed, UTF-8, no final empty line
    std::array<std::string, 10> variables;
    DisplayMode mode = DisplayMode::Page;
    std::array<bool, DecimalsSetting::kCount> decimals{};

    bool operator==(const CalcFile&) const = default;
};

// The file's bytes: the line count, the lines, the ten boxes, "0"/"1" for page/tape, then
// "1" or "0" for each decimals item.
std::string writeCalcFile(const CalcFile& file);

// Nothing when the bytes are not such a file (a count that is not a decimal integer or
// exceeds the lines present, a missing line, a mode other than "0" or "1"). Lines after
// the decimals are ignored. A decimals line ticks its item only when it is "1".
std::optional<CalcFile> readCalcFile(std::string_view bytes);

// The worksheet's contents as a file, and back (the page then ends with a line break).
CalcFile calcFileOf(const Worksheet& sheet);
void applyCalcFile(const CalcFile& file, Worksheet& sheet);

} // namespace calculator
