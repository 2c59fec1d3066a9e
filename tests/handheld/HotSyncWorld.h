// A stand-in for the desktop HotSync software in tests: its registry keys, its users file
// with two users and their folders, and the copy a HotSync makes of the install folder's
// databases into the backup folder, under their handheld names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "../builder/TestSupport.h"
#include "platform/Registry.h"

namespace ledgora::testing {

inline constexpr const char* kCoreKey = "Software\\Palm Computing\\Pilot Desktop\\Core";
inline constexpr const char* kHotSyncKey =
    "Software\\Palm Computing\\Pilot Desktop\\HotSync Manager";

struct HotSyncWorld {
    // "Anne P" (ID 305419896, folder AnneP) and "Bob" (ID 7, folder Bob) under `palm`.
    HotSyncWorld(platform::Registry& registry, std::filesystem::path palmFolder)
        : palm(std::move(palmFolder)) {
        std::filesystem::create_directories(install());
        std::filesystem::create_directories(backup());
        std::filesystem::create_directories(palm / "Bob" / "Install");
        trellisk::test::writeAll(palm / "users.dat",
                                 std::string(1, '\x02') + std::string(12, '\x07') +
                                     trellisk::test::usersEntry(305419896, "Anne P", "AnneP") +
                                     "\x01\x80" + trellisk::test::usersEntry(7, "Bob", "Bob"));
        registry.writeString(platform::Hive::CurrentUser, kCoreKey, "Path", palm.string());
        registry.createKey(platform::Hive::CurrentUser, kHotSyncKey);
    }

    std::filesystem::path install() const { return palm / "AnneP" / "Install"; }
    std::filesystem::path backup() const { return palm / "AnneP" / "Backup"; }

    // Every database of Anne's install folder, back in her backup folder under the name
    // the handheld knows it by.
    void hotSync() const {
        for (const auto& file : std::filesystem::directory_iterator(install())) {
            if (file.path().extension() != ".pdb") {
                continue;
            }
            const std::string bytes = trellisk::test::readAll(file.path());
            const std::string name = bytes.substr(0, bytes.find('\0'));
            std::filesystem::copy_file(file.path(), backup() / (name + ".pdb"),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

    std::filesystem::path palm;
};

// A throw-away home: LEDGORA_HOME for this process and for the programs and the library
// it starts. The current folder leaves it with the folder (see TempFolder).
struct TemporaryHome {
    TemporaryHome() { ::setenv("LEDGORA_HOME", path.c_str(), 1); }

    TempFolder folder;
    std::filesystem::path path = folder.path();
};

} // namespace ledgora::testing
