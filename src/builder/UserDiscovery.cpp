#include "builder/UserDiscovery.h"

#include "builder/TDataStream.h"

namespace trellisk {
namespace {

constexpr std::size_t kFirstEntry = 13; // count byte, then 12 bytes not read

// One entry: ID (4 bytes, little-endian), name length, name, folder length, folder.
bool readEntry(TDataStream& in, std::vector<TUser>& users) {
    std::uint32_t id = 0;
    for (int i = 0; i < 4; ++i) {
        id |= static_cast<std::uint32_t>(in.readByte()) << (8 * i);
    }
    TUser user;
    user.userName = in.readString(in.readByte());
    user.folderName = in.readString(in.readByte());
    user.userId = std::to_string(id);
    if (in.failed()) {
        return false;
    }
    users.push_back(std::move(user));
    return true;
}

} // namespace

std::vector<TUser> readUsersFile(const std::filesystem::path& path) {
    std::vector<TUser> users;
    TDataStream in;
    if (!in.open(path)) {
        return users;
    }
    int remaining = in.readByte();
    in.readString(kFirstEntry - 1);
    // The first entry is read whatever the count says.
    readEntry(in, users);
    // Later entries each follow the marker pair 01 80, possibly after other bytes. The
    // byte after a 01 may itself be the 01 of the pair ("01 01 80").
    while (!in.failed() && remaining > 1) {
        if (!in.scanTo(0x01)) {
            continue;
        }
        unsigned char next = in.readByte();
        while (next == 0x01 && !in.failed()) {
            next = in.readByte();
        }
        if (!in.failed() && next == 0x80 && readEntry(in, users)) {
            --remaining;
        }
    }
    in.close();
    return users;
}

UserDiscovery discoverUsers(const platform::Registry& registry) {
    UserDiscovery result;
    const std::string_view* core = nullptr;
    for (const std::string_view& key : kCoreKeys) {
        if (registry.keyExists(platform::Hive::CurrentUser, key)) {
            core = &key;
            break;
        }
    }
    if (core == nullptr) {
        result.status = WAR_PALM_DESKTOP_NOT_INSTALLED;
        return result;
    }
    result.desktopPath = registry.readString(platform::Hive::CurrentUser, *core, "Path", "");
    result.users = readUsersFile(std::filesystem::path(result.desktopPath + "/users.dat"));
    result.status = result.users.empty() ? WAR_NO_USERS : NO_ERROR;
    return result;
}

} // namespace trellisk
