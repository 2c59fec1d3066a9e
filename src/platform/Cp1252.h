// Conversion between UTF-8, used for every string inside the program, and the
// Windows-1252 code page of every file the product reads or writes.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to
// the C1 control characters of the same value, as the Windows conversion does.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. Characters the code page cannot hold, and malformed UTF-8
// sequences, become "?".
std::string utf8ToCp1252(std::string_view text);

// True when the text is plain ASCII (no conversion needed either way).
bool isAscii(std::string_view text);

} // namespace platform
