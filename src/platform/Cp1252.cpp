#include "platform/Cp1252.h"

#include <array>
#include <cstdint>

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; the others equal their byte value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The code page's byte for a code point, or -1 when it has none.
int byteOrNone(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when malformed.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<std::uint8_t>(text[i]);
    std::size_t len = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + len > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<std::uint8_t>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return len;
}

// Calls `visit` with each code point of `text`; false at the first malformed sequence.
template <typename F> bool forEachCodePoint(std::string_view text, F&& visit) {
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t len = decodeUtf8(text, i, cp);
        if (len == 0 || !visit(cp)) {
            return false;
        }
        i += len;
    }
    return true;
}

bool isControl(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0);
}

} // namespace

char cp1252Byte(char32_t codePoint) {
    const int b = byteOrNone(codePoint);
    return static_cast<char>(b < 0 ? '?' : b);
}

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool isValidUtf8(std::string_view text) {
    return forEachCodePoint(text, [](char32_t) { return true; });
}

bool fitsCp1252(std::string_view text) {
    return forEachCodePoint(text, [](char32_t cp) { return byteOrNone(cp) >= 0; });
}

bool hasControlCharacter(std::string_view text) {
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            return true;
        }
    }
    bool control = false;
    forEachCodePoint(text, [&](char32_t cp) {
        control = control || isControl(cp);
        return true;
    });
    return control;
}

std::size_t characterCount(std::string_view text) {
    std::size_t n = 0;
    for (char c : text) {
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return n;
}

std::string utf16leToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                     static_cast<unsigned char>(bytes[2 * k + 1]) << 8);
    };
    for (std::size_t k = 0; k < units; ++k) {
        char32_t cp = unit(k);
        if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
            unit(k + 1) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    cp1252ToUtf8(bytes, out);
    return out;
}

void cp1252ToUtf8(std::string_view bytes, std::string& out) {
    out.clear();
    if (isAscii(bytes)) {
        out.assign(bytes);
        return;
    }
    out.reserve(bytes.size() + bytes.size() / 2);
    std::size_t run = 0; // start of the pending ASCII run
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (b < 0x80) {
            continue;
        }
        out.append(bytes.data() + run, i - run);
        appendUtf8(out, b < 0xA0 ? kHighControls[b - 0x80] : b);
        run = i + 1;
    }
    out.append(bytes.data() + run, bytes.size() - run);
}

std::string utf8ToCp1252(std::string_view text) {
    if (isAscii(text)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t len = decodeUtf8(text, i, cp);
        if (len == 0) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(cp1252Byte(cp));
        i += len;
    }
    return out;
}

} // namespace platform
