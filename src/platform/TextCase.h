// Case folding for comparisons "without regard to case": ASCII and the accented letters
// of Windows-1252 (É and é, Œ and œ compare equal), on UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Lower-cases ASCII letters, the Latin-1 capitals À..Þ (except ×) and Œ, Š, Ž, Ÿ of
// UTF-8 text; the result has the same length.
std::string foldCase(std::string_view text);

bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Upper-cases the first character when it is an ASCII letter; other text is unchanged.
std::string capitalizeFirstAscii(std::string_view text);

} // namespace platform
