#include "platform/com/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform::com {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length prefix sits just before the characters, as on Windows, so SysStringLen is
// constant time and embedded NULs survive.
std::uint32_t* prefixOf(BSTR text) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - sizeof(std::uint32_t));
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

BSTR SysAllocStringLen(LPCOLESTR text, UINT length) {
    constexpr std::size_t kMax = (std::numeric_limits<std::uint32_t>::max() - 8) / 2;
    if (length > kMax) {
        return nullptr;
    }
    const std::size_t bytes = static_cast<std::size_t>(length) * sizeof(OLECHAR);
    auto* block =
        static_cast<char*>(std::calloc(1, sizeof(std::uint32_t) + bytes + sizeof(OLECHAR)));
    if (block == nullptr) {
        return nullptr;
    }
    const auto byteLength = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &byteLength, sizeof byteLength);
    auto* chars = reinterpret_cast<BSTR>(block + sizeof(std::uint32_t));
    if (text != nullptr && bytes > 0) {
        std::memcpy(chars, text, bytes);
    }
    return chars;
}

BSTR SysAllocString(LPCOLESTR text) {
    if (text == nullptr) {
        return nullptr;
    }
    return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<char16_t>::length(text)));
}

void SysFreeString(BSTR text) {
    if (text != nullptr) {
        std::free(prefixOf(text));
    }
}

UINT SysStringByteLen(BSTR text) {
    if (text == nullptr) {
        return 0;
    }
    std::uint32_t bytes;
    std::memcpy(&bytes, prefixOf(text), sizeof bytes);
    return bytes;
}

UINT SysStringLen(BSTR text) {
    return SysStringByteLen(text) / sizeof(OLECHAR);
}

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        char32_t c = kReplacement;
        std::size_t extra = 0;
        if (b0 < 0x80) {
            c = b0;
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            extra = 1;
            c = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            extra = 2;
            c = b0 & 0x0F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            extra = 3;
            c = b0 & 0x07;
        }
        bool ok = b0 < 0x80 || extra > 0;
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            if (i + k >= n || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                ok = false;
            } else {
                c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
            }
        }
        // Overlong forms, surrogates and values past U+10FFFF are malformed too.
        if (ok && ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
                   (c >= 0xD800 && c <= 0xDFFF))) {
            ok = false;
        }
        if (!ok) {
            out.push_back(static_cast<char16_t>(kReplacement));
            ++i;
            continue;
        }
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

BSTR bstrFromUtf8(std::string_view text) {
    const std::u16string wide = utf16FromUtf8(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string utf8FromBstr(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    return utf8FromUtf16(std::u16string_view(text, SysStringLen(text)));
}

BSTR* BstrHolder::out() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
}

} // namespace platform::com
