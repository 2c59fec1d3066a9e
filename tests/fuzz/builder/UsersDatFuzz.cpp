// A HotSync users file from anywhere: discovery at object start-up, then every user's
// details and install flag.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "builder/TTrellisk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trellisk;
    static platform::Registry registry = [] {
        platform::Registry r(fuzz::scratch() / "registry");
        r.writeString(platform::Hive::CurrentUser, kCoreKeys[0], "Path", fuzz::scratch().string());
        r.createKey(platform::Hive::CurrentUser, kHotSyncKeys[0]);
        return r;
    }();
    static const platform::FixedClock clock;
    fuzz::writeScratch("users.dat", data, size);
    TTrellisk builder(registry, clock, {fuzz::scratch() / "index.ind", {}});
    std::string name, install, backup;
    const std::int32_t users = builder.PDBgetUserCount();
    for (std::int32_t u = -1; u <= users && u < 4; ++u) {
        builder.PDBgetUserInfo(static_cast<std::int16_t>(u), name, install, backup);
    }
    if (users > 0) {
        builder.PDBsetInstallFlag(0);
    }
    return 0;
}
