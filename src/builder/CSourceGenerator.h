// The handheld C source for a database layout: a ".c" and a ".h" that open, create, read
// (plain and encoded), update, search and close the database on the handheld in the
// record encoding of the builder. Two dialects: the newer Palm OS type names, and the
// older ones (no encoded reader, plus an Open2 taking creator and type).
#pragma once

#include <string>
#include <vector>

#include "builder/SystemRecord.h"

namespace trellisk {

struct CSourceInput {
    std::string prefix;  // names every generated identifier (8-bit text, used as given)
    std::string creator; // 4 bytes
    std::string type;    // 4 bytes
    std::vector<DeclaredField> fields;
    // The header's file name, which the ".c" file includes.
    std::string headerFileName;
};

struct CSource {
    std::string c; // CR LF line ends
    std::string h;
};

CSource generateNewSource(const CSourceInput& input);
CSource generateOldSource(const CSourceInput& input);

} // namespace trellisk
