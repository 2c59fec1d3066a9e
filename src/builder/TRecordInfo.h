// Where one record of a loaded database lies in its file: its offset and its length,
// the NUL written after every record left out.
#pragma once

#include <cstdint>

namespace trellisk {

struct TRecordInfo {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    bool operator==(const TRecordInfo&) const = default;
};

} // namespace trellisk
