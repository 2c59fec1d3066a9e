#include "register/PasswordCode.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/Cp1252.h"

namespace ledgora {
namespace {

constexpr int kOffset = 29371;

} // namespace

std::string encodePassword(std::string_view password) {
    std::string bytes = platform::utf8ToCp1252(password);
    if (bytes.size() > kMaxPasswordBytes) {
        bytes.resize(kMaxPasswordBytes);
    }
    const std::size_t n = bytes.size();
    if (n == 0) {
        return {};
    }
    const std::size_t length = std::max<std::size_t>(n % 2 == 1 ? n + 1 : n + 2, 10);
    std::vector<unsigned char> buffer(length);
    buffer[0] = static_cast<unsigned char>(n);
    for (std::size_t i = 1; i < length; ++i) {
        buffer[i] = static_cast<unsigned char>(bytes[(i - 1) % n]);
    }
    std::string code;
    char group[8];
    for (std::size_t j = 0; j < length / 2; ++j) {
        const int word = buffer[2 * j] + 256 * buffer[2 * j + 1];
        std::snprintf(group, sizeof group, "%05d", word + kOffset);
        code += group;
    }
    return code;
}

std::string decodePassword(std::string_view code) {
    std::vector<unsigned char> buffer;
    for (std::size_t at = 0; at + 5 <= code.size(); at += 5) {
        int value = 0;
        for (std::size_t k = at; k < at + 5; ++k) {
            if (code[k] < '0' || code[k] > '9') {
                return {};
            }
            value = value * 10 + (code[k] - '0');
        }
        const int word = value - kOffset;
        if (word < 0 || word > 0xFFFF) {
            return {};
        }
        buffer.push_back(static_cast<unsigned char>(word & 0xFF));
        buffer.push_back(static_cast<unsigned char>(word >> 8));
    }
    if (buffer.empty()) {
        return {};
    }
    const std::size_t n = std::min<std::size_t>(buffer[0], buffer.size() - 1);
    return platform::cp1252ToUtf8(
        std::string_view(reinterpret_cast<const char*>(buffer.data()) + 1, n));
}

PasswordProblem checkPassword(std::string_view password) {
    if (!platform::fitsCp1252(password)) {
        return PasswordProblem::BadCharacters;
    }
    return platform::utf8ToCp1252(password).size() > kMaxPasswordBytes ? PasswordProblem::TooLong
                                                                       : PasswordProblem::None;
}

} // namespace ledgora
