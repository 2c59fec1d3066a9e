// Numbers as the calculator prints and reads them: 15 significant digits, the decimal
// separator given by the caller (never taken from the process locale).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calculator {

// Shortest form with at most 15 significant digits, no trailing zeros, no separator for
// whole values; scientific ("1E20", "1,5E-7") when the integer part would need more than
// 15 digits or the magnitude is below 0.00001. The exponent carries a sign only when
// negative. A value that is not finite prints as 1E308 with its sign.
std::string formatGeneral(double value, char separator);

// Rounded to 15 significant digits, then to `decimals` places (half away from zero),
// with exactly `decimals` places; values of 10^15 and more print as formatGeneral.
std::string formatFixed(double value, int decimals, char separator);

// Optional sign, digits with at most one separator (at least one digit), optional
// exponent "E" or "e" with optional sign and at least one digit. Nothing else, not even
// spaces. Nothing for a malformed text or one beyond the double range; results too small
// for a double read as 0.
std::optional<double> parseNumber(std::string_view text, char separator);

} // namespace calculator
