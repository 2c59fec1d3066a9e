#include "builder/FernlowToolsUnit.h"

#include <limits>

namespace trellisk::FernlowToolsUnit {
namespace {

constexpr std::uint64_t kBase = 225;
constexpr int kMaxDigits = 9; // 225^9 > 2^64

} // namespace

void appendBigEndian(std::string& out, std::uint64_t value, int width) {
    for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

std::string bigEndianBytes(std::uint64_t value, int width) {
    std::string out;
    appendBigEndian(out, value, width);
    return out;
}

int variableDigitCount(std::uint64_t value) {
    // 15^(2n-1) for n = 1, 2, ...; the ninth bound exceeds 2^64, so nine bytes hold anything.
    std::uint64_t bound = 15;
    for (int n = 1; n < kMaxDigits; ++n) {
        if (value < bound) {
            return n;
        }
        bound *= kBase;
    }
    return kMaxDigits;
}

void appendFixedDigits(std::string& out, std::uint64_t value, int width) {
    char digits[kMaxDigits];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>(value % kBase + 1);
        value /= kBase;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

std::string fixedDigits(std::uint64_t value, int width) {
    std::string out;
    appendFixedDigits(out, value, width);
    return out;
}

void appendVariableDigits(std::string& out, std::uint64_t value) {
    appendFixedDigits(out, value, variableDigitCount(value));
}

std::string variableDigits(std::uint64_t value) {
    std::string out;
    appendVariableDigits(out, value);
    return out;
}

std::optional<std::int64_t> decodeDigits(const unsigned char* bytes, std::size_t count) {
    std::int64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] == 0) {
            return std::nullopt;
        }
        if (__builtin_mul_overflow(value, static_cast<std::int64_t>(kBase), &value) ||
            __builtin_add_overflow(value, static_cast<std::int64_t>(bytes[i] - 1), &value)) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace trellisk::FernlowToolsUnit
