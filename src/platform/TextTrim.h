// Trimming of typed text: the blanks a user leaves around a value (a search pattern, a
// number in a box) are not part of it.
#pragma once

#include <string_view>

namespace platform {

// `text` without the spaces at its start and end.
std::string_view trimSpaces(std::string_view text);

} // namespace platform
