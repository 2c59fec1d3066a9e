// The stored form of a user's password: groups of five digits, each a 16-bit word of the
// length-prefixed, repeated password plus an offset. It hides the password from a casual
// reader of the settings; it is not encryption.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ledgora {

// The code of a password (UTF-8, taken as its Windows-1252 bytes, at most 255 of them);
// an empty password gives an empty code.
std::string encodePassword(std::string_view password);

// The password a code stands for; an empty or unreadable code gives an empty password.
std::string decodePassword(std::string_view code);

// Why a typed password cannot be kept: a character outside Windows-1252 (it would come
// back as "?", and the user could never type it again), or more bytes than the code holds.
enum class PasswordProblem { None, BadCharacters, TooLong };
inline constexpr std::size_t kMaxPasswordBytes = 255;
PasswordProblem checkPassword(std::string_view password);

} // namespace ledgora
