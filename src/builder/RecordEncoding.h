// Encoded records: a key byte k stored in front, every byte of the plain record stored as
// (byte + k) mod 256. It only keeps records from being read as plain text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trellisk {

std::string encodeRecord(std::string_view plain, std::uint8_t key);
// The plain record; nothing for an empty input (no key byte).
std::optional<std::string> decodeRecord(std::string_view encoded);

} // namespace trellisk
