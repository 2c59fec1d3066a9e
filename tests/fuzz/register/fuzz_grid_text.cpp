// Feeds arbitrary bytes to the grid text reader as the account load does, then writes the
// grid back and reads that again: the second read must give the same grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "register/Balances.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ledgora::Grid reg = ledgora::makeRegister(3);
    if (ledgora::readGridText(bytes, reg) != ledgora::GridTextStatus::Ok) {
        return 0;
    }
    reg.setColumnCount(ledgora::kRegisterColumns);
    ledgora::sortByDate(reg);
    ledgora::cleanUpBlankRows(reg);
    ledgora::recomputeBalances(reg);

    const std::string written = ledgora::writeGridText(reg);
    ledgora::Grid again;
    if (ledgora::readGridText(written, again) != ledgora::GridTextStatus::Ok ||
        ledgora::writeGridText(again) != written) {
        std::abort();
    }
    return 0;
}
