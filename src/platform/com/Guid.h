// GUID, the 128-bit identifier of classes, interfaces and type libraries, with its
// registry text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::com {

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};

    bool operator==(const GUID&) const = default;
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline constexpr GUID GUID_NULL{};

// The braced text with upper-case hex digits, as the registry holds it.
std::string formatGuid(REFGUID guid);

// Reads the braced form; hex digits of either case. Nothing for any other text.
std::optional<GUID> parseGuid(std::string_view text);

} // namespace platform::com
