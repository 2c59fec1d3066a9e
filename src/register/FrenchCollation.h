// Alphabetical order as a French reader expects it: case ignored, accented letters with
// their base letter (Eau, EDF-GDF, Électricité, Enfants), hyphens and apostrophes ignored.
#pragma once

#include <string>
#include <string_view>

namespace ledgora {

// Negative, zero or positive as `a` sorts before, with or after `b`. Texts that differ
// only by accents sort unaccented first; only by case, upper case first.
int frenchCompare(std::string_view a, std::string_view b);

inline bool frenchLess(std::string_view a, std::string_view b) {
    return frenchCompare(a, b) < 0;
}

// The primary key frenchCompare() starts from: lower-case base letters.
std::string frenchPrimaryKey(std::string_view text);

} // namespace ledgora
