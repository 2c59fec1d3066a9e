// One handheld user of the desktop HotSync software, as its users file lists it. Name and
// folder name are the file's 8-bit (Windows-1252) text.
#pragma once

#include <string>

namespace trellisk {

struct TUser {
    std::string userName;
    std::string folderName;
    std::string userId; // decimal text of the 32-bit number
    bool operator==(const TUser&) const = default;
};

} // namespace trellisk
