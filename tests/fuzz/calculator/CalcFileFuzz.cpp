// Arbitrary bytes as a calculation file: the reader must refuse or accept without
// crashing, and what it accepts must write back to a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calculator/CalcFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file =
        calculator::readCalcFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (file) {
        const auto again = calculator::readCalcFile(calculator::writeCalcFile(*file));
        if (!again || calculator::writeCalcFile(*again) != calculator::writeCalcFile(*file)) {
            std::abort();
        }
        calculator::Worksheet sheet;
        calculator::applyCalcFile(*file, sheet);
        sheet.compute();
    }
    return 0;
}
