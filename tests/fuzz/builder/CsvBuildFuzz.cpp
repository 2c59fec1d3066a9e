// A CSV file from anywhere (the first byte chooses the separator) imported into a layout of
// a string, a numeric and a string field; what was built is read back.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "builder/TTrellisk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trellisk;
    if (size == 0) {
        return 0;
    }
    static platform::Registry registry(fuzz::scratch() / "registry");
    static const platform::FixedClock clock;
    static const std::string script = [] {
        const char text[] =
            "[BUILDERaSSISTANT]\r\nCreatorID=ABCD\r\nDataBase Type=DATA\r\n"
            "Count=3\r\nField0=nom\r\nIsNumeric1=1\r\nField1=montant\r\nField2=note\r\n";
        return fuzz::writeScratch("s.ini", reinterpret_cast<const std::uint8_t*>(text),
                                  sizeof text - 1);
    }();
    const std::string separator(1, static_cast<char>(data[0]));
    const std::string csv = fuzz::writeScratch("in.csv", data + 1, size - 1);
    const std::string out = (fuzz::scratch() / "out").string();
    TTrellisk builder(registry, clock, {fuzz::scratch() / "index.ind", {}});
    if (builder.PDBopenFromScript(script, out, "Fuzz") != NO_ERROR) {
        std::abort();
    }
    const EnumErrors built = builder.PDBbuildWithCsv(csv, separator);
    builder.PDBclose();
    if (built == NO_ERROR) {
        // Whatever the import accepted must load and read back.
        if (builder.PDBload(out + ".pdb") != NO_ERROR) {
            std::abort();
        }
        std::string text;
        std::int64_t number = 0;
        for (std::int32_t r = 1; r < builder.PDBgetRecordCount(); ++r) {
            if (builder.PDBgetRecord(r) != NO_ERROR) {
                std::abort();
            }
            builder.PDBgetStrFieldWithID(0, text);
            builder.PDBgetNumFieldWithID(1, number);
            builder.PDBgetStrFieldWithID(2, text);
        }
        builder.PDBclose();
    }
    return 0;
}
