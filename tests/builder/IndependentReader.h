// What an independent reader, Palm::PDB (Debian package libpalm-pdb-perl), finds in a
// database file, through tests/builder/palm-pdb-dump.pl (TRELLISK_PDB_DUMP_SCRIPT).
#pragma once

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <vector>

#include "TestSupport.h"

namespace trellisk::test {

// What Palm::PDB reads from a file, as "key value" lines (empty when it is not installed).
struct IndependentReading {
    bool available = false;
    std::map<std::string, std::string> header;
    std::vector<std::string> records; // hex of each record's data, as the reader cuts it
    std::vector<std::string> recordLines;
};

inline IndependentReading readIndependently(const std::filesystem::path& file) {
    IndependentReading r;
    const std::string command =
        "perl '" + std::string(TRELLISK_PDB_DUMP_SCRIPT) + "' '" + file.string() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::string output;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        output.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return r;
    }
    r.available = true;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        if (key == "record") {
            r.recordLines.push_back(line);
            r.records.push_back(line.substr(line.rfind(' ') + 1));
        } else {
            r.header[key] = line.substr(space + 1);
        }
    }
    return r;
}

inline std::string compactHex(std::string_view bytes) {
    std::string hex = toHex(bytes);
    hex.erase(std::remove(hex.begin(), hex.end(), ' '), hex.end());
    return hex;
}

} // namespace trellisk::test
