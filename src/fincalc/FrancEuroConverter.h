// The franc/euro converter's two conversions and the way it writes their results: French
// digit grouping, a decimal comma, two decimals, then " F" or " €".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fincalc {

// The digit group separator French number formatting writes (U+202F, narrow no-break
// space), the same as the desktop toolkit's French locale, so field and result agree.
inline constexpr std::string_view kFrenchGroupSeparator = "\u202F";

// Shown instead of a result too large for a double.
inline constexpr std::string_view kConversionOverflow = "Dépassement de capacité !";

// Shown instead of a result when the amount typed is not a number ("1.2.3", a lone "-").
inline constexpr std::string_view kUnreadableAmount = "montant illisible";

// What a converter field holds: its text as typed or as shown ("1 000,50 F"), read with
// "." or "," as the decimal separator, the digit groups and the currency suffix skipped.
// An empty field reads 0, as the field starts at 0; nothing for a text that is not a
// number.
std::optional<double> readConverterAmount(std::string_view text, std::string_view suffix);

// `value` with two decimals (rounded half away from zero), a decimal comma and its whole
// part in groups of three digits: 152 449,02 and -1 234,50.
std::string formatFrench(double value);

// The euros of a franc amount, by the register's franc-to-euro rounding, as the converter
// shows them: 1000000 gives "152 449,02 €".
std::string francsToEurosText(double francs);

// The francs of a euro amount, the plain product by the rate rounded only when written:
// 15.24 gives "99,97 F".
std::string eurosToFrancsText(double euros);

} // namespace fincalc
