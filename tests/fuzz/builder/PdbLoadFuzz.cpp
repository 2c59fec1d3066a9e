// A database file from anywhere: loading it and reading every record and field, by ID and
// by name, in and out of range, then exporting it to CSV.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "builder/TTrellisk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trellisk;
    static platform::Registry registry(fuzz::scratch() / "registry");
    static const platform::FixedClock clock;
    const std::string file = fuzz::writeScratch("in.pdb", data, size);
    TTrellisk builder(registry, clock, {fuzz::scratch() / "index.ind", {}});
    if (builder.PDBload(file) == NO_ERROR) {
        const std::int16_t fields = builder.PDBgetFieldCount();
        std::string text;
        std::int64_t number = 0;
        for (std::int32_t r = -1; r <= builder.PDBgetRecordCount(); ++r) {
            builder.PDBgetRecord(r);
            for (std::int16_t id = -1; id <= fields; ++id) {
                builder.PDBgetIsStrFieldWithID(id);
                builder.PDBgetIsNumFieldWithID(id);
                builder.PDBgetStrFieldWithID(id, text);
                builder.PDBgetNumFieldWithID(id, number);
            }
            for (const DeclaredField& f : builder.fields()) {
                builder.PDBgetStrField(f.name, text);
                builder.PDBgetNumField(f.name, number);
            }
        }
        builder.PDBclose();
        builder.PDBexportToCsv(file, (fuzz::scratch() / "out").string(), ";");
    }
    return 0;
}
