// Amounts as the grids hold them: text with two decimals and "." as decimal point, read
// back by a tolerant parse. This pair is the one way amounts become text and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ledgora {

// An amount in cents. Sums of amounts (balances, spending, totals) accumulate in these, so
// they are exact whatever the number of operations.
using Cents = std::int64_t;

// The longest leading part of `text` that reads as a decimal number with "." as decimal
// point (leading spaces and a sign allowed, an exponent allowed); 0 when there is none,
// or when the number is out of range.
double parseAmount(std::string_view text);

// Two decimals, "." as decimal point, no thousands separator, "-" for negatives. The
// value is taken to 15 significant digits, then rounded half away from zero (12.125 gives
// 12.13, 1.005 gives 1.01). Never "-0.00"; infinities and NaN give "0.00".
std::string formatAmount(double value);

// The amount of `text` in cents, read as parseAmount() reads it; more than two decimals
// round half away from zero (12.125 gives 1213, -0.005 gives -1). Unreadable text, and
// amounts beyond 1e15 in either direction, read 0.
Cents parseCents(std::string_view text);

// A double rounded to the cent as formatAmount() rounds it; 0 beyond the range above.
Cents centsOf(double value);

// The same text formatAmount() gives for the same value: two decimals, "." as decimal
// point, "-" for negatives.
std::string formatCents(Cents cents);

// a + b, held at the ends of the range instead of wrapping.
Cents addCents(Cents a, Cents b);

inline double centsToDouble(Cents cents) {
    return static_cast<double>(cents) / 100.0;
}

// An amount as a French user types it, in a cell or a numeric box: "," and "." alike, the
// first "," read as "." (1500,50 is 1500.50); then the tolerant parse.
double parseTypedAmount(std::string_view typed);

// Where a text typed into an amount cell stands against parseTypedAmount(): Complete when
// it reads all of it (the empty text too) as an amount within the range parseCents()
// reads, Incomplete when more typing can make it so ("-", "12,", "1e"), Refused when
// nothing typed after it can ("12a", "1,2,3", "1e999").
enum class TypedAmount { Complete, Incomplete, Refused };
TypedAmount typedAmountState(std::string_view typed);

// The product's message for an entry it refuses.
inline constexpr const char* kBadEntry = "Saisie incorrecte.";

// Whether `typed` holds only the characters a numeric box's keys let through: digits, "+",
// "-", "," and ".".
bool amountKeys(std::string_view typed);

// Whether `text`, spaces and tabs around it aside, could have been typed as one amount with
// the keys a numeric box lets through (amountKeys()): a sign only in front, one decimal
// separator, within the range of amounts; typedAmountState() does not refuse it. What could
// have been typed on the way counts ("-", "12,"), and so does the empty text; blanks alone
// do not. A paste or drop that could not is refused whole, so that "1 234,56" or "80 €" is
// never read as 1 or 80.
bool typableAmount(std::string_view text);

// Whether a numeric box holding `text` may take `typed` in place of its `length` bytes from
// `from` (the selection, or none at the caret): `typed` is made of amountKeys() and what the
// box would then hold is still typableAmount(), so that a key never leaves "1,2,3", "--5" or
// "5-" to be read as 1.20, nothing or 5. A place or a length past the end stops at the end.
bool typableAmountAfter(std::string_view text, std::size_t from, std::size_t length,
                        std::string_view typed);

// `text` without the spaces and tabs around it.
std::string_view trimBlanks(std::string_view text);

// The text an edited amount cell keeps: empty stays empty; otherwise the first ","
// becomes ".", and the text is parsed and formatted (12,5 gives 12.50).
std::string normaliseAmountText(std::string_view typed);

} // namespace ledgora
