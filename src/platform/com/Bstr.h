// BSTR, the COM string: UTF-16 characters preceded by their byte length (32 bits) and
// followed by a NUL, allocated and freed only through these functions. A null BSTR is
// the empty string.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/Types.h"

namespace platform::com {

using OLECHAR = char16_t;
using BSTR = OLECHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

// A copy of the NUL-terminated text; null for a null argument or when memory runs out.
BSTR SysAllocString(LPCOLESTR text);
// A copy of `length` characters of `text` (embedded NULs kept); with a null `text` the
// characters are left zeroed.
BSTR SysAllocStringLen(LPCOLESTR text, UINT length);
void SysFreeString(BSTR text);
// Characters, not counting the final NUL; 0 for null.
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

// Conversions at the boundary. Malformed UTF-8 and unpaired surrogates become U+FFFD.
BSTR bstrFromUtf8(std::string_view text);
std::string utf8FromBstr(BSTR text);
std::u16string utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(std::u16string_view text);

// Frees the BSTR it holds when it goes out of scope.
class BstrHolder {
public:
    BstrHolder() = default;
    explicit BstrHolder(std::string_view utf8) : text_(bstrFromUtf8(utf8)) {}
    ~BstrHolder() { SysFreeString(text_); }
    BstrHolder(const BstrHolder&) = delete;
    BstrHolder& operator=(const BstrHolder&) = delete;

    BSTR get() const { return text_; }
    // For an out parameter: frees the held string first.
    BSTR* out();
    std::string utf8() const { return utf8FromBstr(text_); }

private:
    BSTR text_ = nullptr;
};

} // namespace platform::com
