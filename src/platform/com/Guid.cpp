#include "platform/com/Guid.h"
#include "platform/HexDigit.h"

#include <cstdio>

namespace platform::com {
namespace {

// `digits` hex digits at `pos`, or nothing.
std::optional<std::uint32_t> hexField(std::string_view text, std::size_t pos, int digits) {
    std::uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = hexDigitValue(text[pos + static_cast<std::size_t>(i)]);
        if (v < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(v);
    }
    return value;
}

} // namespace

std::string formatGuid(REFGUID g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1,
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

std::optional<GUID> parseGuid(std::string_view text) {
    // {8-4-4-4-12}
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    GUID g;
    const auto d1 = hexField(text, 1, 8);
    const auto d2 = hexField(text, 10, 4);
    const auto d3 = hexField(text, 15, 4);
    if (!d1 || !d2 || !d3) {
        return std::nullopt;
    }
    g.Data1 = *d1;
    g.Data2 = static_cast<std::uint16_t>(*d2);
    g.Data3 = static_cast<std::uint16_t>(*d3);
    static constexpr std::size_t kBytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        const auto b = hexField(text, kBytePos[i], 2);
        if (!b) {
            return std::nullopt;
        }
        g.Data4[i] = static_cast<std::uint8_t>(*b);
    }
    return g;
}

} // namespace platform::com
