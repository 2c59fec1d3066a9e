// Feeds arbitrary bytes to the registry file reader (REGEDIT4 or version 5, with or without
// a byte-order mark), then checks that what it built is written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/RegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::RegistryTree user;
    platform::RegistryTree classes;
    if (!platform::readRegFile(bytes, {&user, &classes})) {
        return 0;
    }
    const std::string written = platform::writeRegFile(user, platform::Hive::CurrentUser);
    platform::RegistryTree again;
    if (!platform::readRegFile(written, {&again, nullptr}) ||
        platform::writeRegFile(again, platform::Hive::CurrentUser) != written) {
        std::abort();
    }
    return 0;
}
