// Finding the handheld users of the desktop HotSync software: its installation folder from
// the current user's registry, then the users listed in its "users.dat" file. Also the
// install flag that makes the next HotSync copy the user's install folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "builder/EnumErrors.h"
#include "builder/TUser.h"
#include "platform/Registry.h"

namespace trellisk {

inline constexpr std::string_view kCoreKeys[] = {
    "Software\\Palm Computing\\Pilot Desktop\\Core",
    "Software\\U.S. Robotics\\Pilot Desktop\\Core",
};
inline constexpr std::string_view kHotSyncKeys[] = {
    "Software\\Palm Computing\\Pilot Desktop\\HotSync Manager",
    "Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager",
};

struct UserDiscovery {
    std::vector<TUser> users;
    EnumErrors status = WAR_PALM_DESKTOP_NOT_INSTALLED;
    std::string desktopPath; // UTF-8, as the registry holds it
};

// The users of a users file, in file order. A file that cannot be opened or is empty
// gives none; an entry cut short by the end of the file is not listed.
std::vector<TUser> readUsersFile(const std::filesystem::path& path);

// Status NO_ERROR, WAR_PALM_DESKTOP_NOT_INSTALLED (no Core key under either vendor name)
// or WAR_NO_USERS.
UserDiscovery discoverUsers(const platform::Registry& registry);

} // namespace trellisk
