// The declared type of one field of a database layout. Blob fields are string fields.
#pragma once

#include <cstdint>

namespace trellisk {

struct TFieldType {
    static constexpr std::uint8_t kNumeric = 0;
    static constexpr std::uint8_t kString = 1;

    std::uint8_t type = kNumeric;

    bool isNumeric() const { return type == kNumeric; }
    bool isString() const { return type == kString; }
    bool operator==(const TFieldType&) const = default;
};

} // namespace trellisk
