// Case folding for comparisons "without regard to case": ASCII and the accented
// Latin-1 letters (É and é compare equal), on UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Lower-cases ASCII letters and the Latin-1 capitals À..Þ (except ×) of UTF-8 text.
std::string foldCase(std::string_view text);

bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Upper-cases the first character when it is an ASCII letter; other text is unchanged.
std::string capitalizeFirstAscii(std::string_view text);

} // namespace platform
