// How the calculators read what the user typed: numbers with "." or "," as the decimal
// separator, the duration as a whole count of periods, and the keys the duration refuses.
#pragma once

#include <optional>
#include <string_view>

namespace fincalc {

// The most periods (days or months) a schedule may hold; a longer one is refused with
// the calculator's failure message rather than filling memory.
inline constexpr long long kMaxPeriods = 100000;

// Optional sign, digits with at most one decimal separator ("." or ","), optional
// exponent. Nothing for anything else: an empty text, "1.2.3", a lone "-", spaces, a
// value beyond the double range.
std::optional<double> readNumber(std::string_view text);

// Whether the text reads as the whole number 1 ("1", "+1", "01"): the singular of a
// typed duration's unit.
bool readsAsOne(std::string_view text);

// The duration is a whole number: its field refuses the decimal point and the comma,
// on top of what every numeric field refuses.
bool durationRefuses(char32_t character);

// `value` rounded to the nearest whole number (halves to even), times `factor`; throws
// ArithmeticFailure unless the result is from 1 to kMaxPeriods.
long long wholePeriods(double value, int factor = 1);

} // namespace fincalc
