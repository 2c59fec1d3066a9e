// A build script from anywhere: declaring its fields, one record of defaults, the build
// and both source generators.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "builder/TTrellisk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trellisk;
    static platform::Registry registry(fuzz::scratch() / "registry");
    static const platform::FixedClock clock;
    const std::string script = fuzz::writeScratch("s.ini", data, size);
    const std::string out = (fuzz::scratch() / "out").string();
    TTrellisk builder(registry, clock, {fuzz::scratch() / "index.ind", {}});
    builder.PDBopenFromScript(script, out, "Fuzz");
    builder.PDBaddRecord();
    builder.PDBcDevelopper();
    builder.PDBcDevelopper2(script);
    // A layout of many long names makes a system record too long to load back: refused
    // by the loader, which must not crash on it.
    if (builder.PDBbuild() == NO_ERROR && builder.PDBclose() == NO_ERROR) {
        builder.PDBload(out + ".pdb");
    }
    builder.PDBclose();
    return 0;
}
