// Text helpers of the builder: trimming, case mapping of 8-bit Windows-1252 text (names
// stored in databases), and the file-name surgery the builder does on "/"-separated paths.
#pragma once

#include <string>
#include <string_view>

namespace trellisk::AnsiText {

// Without the leading and trailing bytes up to and including the space (controls too).
std::string_view trim(std::string_view text);
// Windows-1252 letters: ASCII, the accented capitals and Š Œ Ž Ÿ.
char toLower(char c);
std::string lowerCase(std::string_view text);
std::string upperCase(std::string_view text);

// The part after the last "/".
std::string_view fileNamePart(std::string_view path);
// Everything up to and including the last "/" (empty when there is none).
std::string_view folderPart(std::string_view path);
// The path with the extension of its file name (from its last ".") replaced by
// `extension`, or with `extension` added when it has none.
std::string changeFileExt(std::string_view path, std::string_view extension);

} // namespace trellisk::AnsiText
