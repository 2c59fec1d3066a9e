#include "register/RegisterColumns.h"

namespace ledgora {

std::optional<int> columnOfKey(std::string_view key) {
    for (int c = 1; c < kRegisterColumns; ++c) {
        if (kColumnKeys[static_cast<std::size_t>(c)] == key) {
            return c;
        }
    }
    return std::nullopt;
}

} // namespace ledgora
