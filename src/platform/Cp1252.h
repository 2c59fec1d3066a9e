// Conversion between UTF-8, used for every string inside the program, and the
// Windows-1252 code page of every file the product reads or writes (and the UTF-16LE of
// registry files written by the system's own editor); checks on UTF-8 text.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to
// the C1 control characters of the same value, as the Windows conversion does.
std::string cp1252ToUtf8(std::string_view bytes);
// The same into `out`, whose room is kept from call to call.
void cp1252ToUtf8(std::string_view bytes, std::string& out);

// UTF-8 to Windows-1252. Characters the code page cannot hold, and malformed UTF-8
// sequences, become "?".
std::string utf8ToCp1252(std::string_view text);

// The Windows-1252 byte of one Unicode code point; "?" when the code page has none.
char cp1252Byte(char32_t codePoint);

// True when the text is plain ASCII (no conversion needed either way).
bool isAscii(std::string_view text);

// True when the text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// True when every character of the UTF-8 text has a Windows-1252 byte, so that
// utf8ToCp1252() changes nothing into "?".
bool fitsCp1252(std::string_view text);

// True when the UTF-8 text holds a control character: C0 (below a space), DEL or C1.
bool hasControlCharacter(std::string_view text);

// The number of characters of well-formed UTF-8 text.
std::size_t characterCount(std::string_view text);

// UTF-16LE bytes to UTF-8. A lone surrogate becomes U+FFFD; an odd last byte is dropped.
std::string utf16leToUtf8(std::string_view bytes);

} // namespace platform
