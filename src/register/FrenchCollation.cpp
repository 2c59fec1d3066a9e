#include "register/FrenchCollation.h"

#include "platform/TextCase.h"

namespace ledgora {
namespace {

// Base letters of U+00C0..U+00FF ('\0' where the character is not a letter).
constexpr const char* kLatin1Base[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

} // namespace

std::string frenchPrimaryKey(std::string_view text) {
    std::string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '-' || c == '\'') {
            continue;
        }
        if (c >= 'A' && c <= 'Z') {
            key.push_back(static_cast<char>(c + 32));
            continue;
        }
        if (c == 0xC3 && i + 1 < text.size()) {
            const auto d = static_cast<unsigned char>(text[i + 1]);
            if (d >= 0x80 && d <= 0xBF) {
                const char* base = kLatin1Base[d - 0x80];
                if (*base != '\0') {
                    key += base;
                    ++i;
                    continue;
                }
            }
        }
        if (c == 0xC5 && i + 1 < text.size()) {
            const auto d = static_cast<unsigned char>(text[i + 1]);
            if (d == 0x92 || d == 0x93) { // Œ œ
                key += "oe";
                ++i;
                continue;
            }
        }
        key.push_back(static_cast<char>(c));
    }
    return key;
}

int frenchCompare(std::string_view a, std::string_view b) {
    if (int primary = frenchPrimaryKey(a).compare(frenchPrimaryKey(b)); primary != 0) {
        return primary;
    }
    if (int accents = platform::foldCase(a).compare(platform::foldCase(b)); accents != 0) {
        return accents;
    }
    return a.compare(b);
}

} // namespace ledgora
