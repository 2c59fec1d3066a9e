// Amounts as the grids hold them: text with two decimals and "." as decimal point, read
// back by a tolerant parse. This pair is the one way amounts become text and back.
#pragma once

#include <string>
#include <string_view>

namespace ledgora {

// The longest leading part of `text` that reads as a decimal number with "." as decimal
// point (leading spaces and a sign allowed, an exponent allowed); 0 when there is none,
// or when the number is out of range.
double parseAmount(std::string_view text);

// Two decimals, "." as decimal point, no thousands separator, "-" for negatives. The
// value is taken to 15 significant digits, then rounded half away from zero (12.125 gives
// 12.13, 1.005 gives 1.01). Never "-0.00"; infinities and NaN give "0.00".
std::string formatAmount(double value);

// An amount as a French user types it, in a cell or a numeric box: "," and "." alike, the
// first "," read as "." (1500,50 is 1500.50); then the tolerant parse.
double parseTypedAmount(std::string_view typed);

// The text an edited amount cell keeps: empty stays empty; otherwise the first ","
// becomes ".", and the text is parsed and formatted (12,5 gives 12.50).
std::string normaliseAmountText(std::string_view typed);

} // namespace ledgora
