// The number encodings of the record format: big-endian integers of the file header, and
// the base-225 "digit bytes" (each digit d stored as d + 1, so never a zero byte) of field
// IDs, lengths and numeric contents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace trellisk::FernlowToolsUnit {

// The low 8 * width bits of `value`, most significant byte first (width 1 to 8).
void appendBigEndian(std::string& out, std::uint64_t value, int width);
std::string bigEndianBytes(std::uint64_t value, int width);

// How many digit bytes the variable form of `value` takes: n bytes hold the values below
// 15^(2n-1), so 0..14 take 1 byte, 15..3,374 take 2, 3,375..759,374 take 3.
int variableDigitCount(std::uint64_t value);
// The variable form (numeric field content).
void appendVariableDigits(std::string& out, std::uint64_t value);
std::string variableDigits(std::uint64_t value);

// The fixed form of width 1 or 2: the low `width` base-225 digits; a value of 225^width
// or more loses its higher digits.
void appendFixedDigits(std::string& out, std::uint64_t value, int width);
std::string fixedDigits(std::uint64_t value, int width);

// The value of `count` digit bytes: sum of (b - 1) * 225^(count - i). Nothing when a byte
// is 0 (no digit is) or the value does not fit a signed 64-bit integer.
std::optional<std::int64_t> decodeDigits(const unsigned char* bytes, std::size_t count);

} // namespace trellisk::FernlowToolsUnit
