#include "money/Amount.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace ledgora {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Appends the integer part and two decimals of `cents` (non-negative).
void appendCents(std::string& out, unsigned long long cents) {
    char buf[32];
    int n = 0;
    const unsigned long long units = cents / 100;
    const unsigned cent = static_cast<unsigned>(cents % 100);
    char digits[24];
    unsigned long long u = units;
    do {
        digits[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    int k = 0;
    while (n > 0) {
        buf[k++] = digits[--n];
    }
    buf[k++] = '.';
    buf[k++] = static_cast<char>('0' + cent / 10);
    buf[k++] = static_cast<char>('0' + cent % 10);
    out.append(buf, static_cast<std::size_t>(k));
}

// The exact rule: 15 significant digits as decimal text, then half away from zero on
// the decimal digits.
std::string formatSlow(double value) {
    const bool negative = std::signbit(value);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: d.dddddddddddddde[+-]xx
    std::string digits;
    digits.push_back(buf[0]);
    digits.append(buf + 2, 14);
    const int exponent = std::atoi(buf + 17);
    // Value = 0.digits x 10^(exponent + 1); place the decimal point.
    const int intDigits = exponent + 1;
    std::string integer;
    std::string decimals;
    if (intDigits <= 0) {
        integer = "0";
        decimals = std::string(static_cast<std::size_t>(-intDigits), '0') + digits;
    } else if (intDigits >= static_cast<int>(digits.size())) {
        integer = digits + std::string(static_cast<std::size_t>(intDigits) - digits.size(), '0');
    } else {
        integer = digits.substr(0, static_cast<std::size_t>(intDigits));
        decimals = digits.substr(static_cast<std::size_t>(intDigits));
    }
    decimals.resize(std::max<std::size_t>(decimals.size(), 3), '0');
    std::string kept = integer + decimals.substr(0, 2);
    if (decimals[2] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    std::string out;
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    if (negative && !zero) {
        out.push_back('-');
    }
    std::string intPart = kept.substr(0, kept.size() - 2);
    const std::size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    out += intPart;
    out.push_back('.');
    out += kept.substr(kept.size() - 2);
    return out;
}

// Where the longest leading number of a text lies: digits, an optional fraction and an
// exponent that counts only when digits follow it ("1e" reads 1).
struct NumberPrefix {
    bool found = false;
    bool negative = false;
    std::size_t start = 0;     // first digit or "."
    std::size_t intEnd = 0;    // end of the integer digits
    std::size_t fracBegin = 0; // first fraction digit (intEnd + 1 after a ".")
    std::size_t fracEnd = 0;
    std::size_t end = 0; // end of the number, exponent included
    bool exponent = false;
};

NumberPrefix scanNumber(std::string_view text) {
    NumberPrefix n;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    n.start = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    n.intEnd = n.fracBegin = n.fracEnd = n.end = i;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
        }
        if (j - (i + 1) + (n.intEnd - n.start) > 0) {
            n.fracBegin = i + 1;
            n.fracEnd = n.end = j;
            i = j;
        }
    }
    if (n.intEnd == n.start && n.fracEnd == n.fracBegin) {
        return n;
    }
    n.found = true;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            n.end = j;
            n.exponent = true;
        }
    }
    return n;
}

// Amounts beyond this many cents read as unreadable text: sums of many of them still fit.
constexpr Cents kMaxCents = 100'000'000'000'000'000; // 1e15 units

} // namespace

double parseAmount(std::string_view text) {
    const NumberPrefix n = scanNumber(text);
    if (!n.found) {
        return 0.0;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + n.start, text.data() + n.end, value,
                                        std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return n.negative ? -value : value;
}

Cents parseCents(std::string_view text) {
    const NumberPrefix n = scanNumber(text);
    if (!n.found) {
        return 0;
    }
    std::size_t first = n.start;
    while (first < n.intEnd && text[first] == '0') {
        ++first;
    }
    // Decimal digits are read exactly; a number with an exponent goes through the double,
    // rounded as the formatter rounds it (its text then has no exponent).
    if (n.exponent) {
        return centsOf(parseAmount(text));
    }
    if (n.intEnd - first > 16) {
        return 0;
    }
    Cents cents = 0;
    for (std::size_t i = first; i < n.intEnd; ++i) {
        cents = cents * 10 + (text[i] - '0');
    }
    const auto fraction = [&](std::size_t k) {
        return n.fracBegin + k < n.fracEnd ? text[n.fracBegin + k] - '0' : 0;
    };
    cents = cents * 100 + fraction(0) * 10 + fraction(1);
    if (fraction(2) >= 5) {
        ++cents;
    }
    if (cents > kMaxCents) {
        return 0;
    }
    return n.negative ? -cents : cents;
}

Cents centsOf(double value) {
    if (!std::isfinite(value) || std::fabs(value) * 100.0 > static_cast<double>(kMaxCents)) {
        return 0;
    }
    return parseCents(formatAmount(value));
}

std::string formatCents(Cents cents) {
    std::string out;
    if (cents < 0) {
        out.push_back('-');
    }
    // Negating in unsigned arithmetic holds the most negative value too.
    const auto magnitude = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents)
                                     : static_cast<unsigned long long>(cents);
    appendCents(out, magnitude);
    return out;
}

Cents addCents(Cents a, Cents b) {
    Cents sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<Cents>::max() : std::numeric_limits<Cents>::min();
    }
    return sum;
}

std::string formatAmount(double value) {
    if (!std::isfinite(value)) {
        return "0.00";
    }
    const double magnitude = std::fabs(value);
    // Rounding the binary value straight to the cent gives the same text as going through
    // 15 significant digits, unless the value lies within what that rounding can move it
    // of a half cent. The margin grows with the magnitude; beyond 1e11 take the long way.
    if (magnitude < 1e11) {
        const double margin = magnitude < 1e6 ? 1e-6 : magnitude < 1e9 ? 1e-3 : 5e-2;
        const double scaled = magnitude * 100.0;
        const double floor = std::floor(scaled);
        const double fraction = scaled - floor;
        if (std::fabs(fraction - 0.5) > margin) {
            const auto cents = static_cast<unsigned long long>(fraction > 0.5 ? floor + 1 : floor);
            std::string out;
            if (value < 0 && cents != 0) {
                out.push_back('-');
            }
            appendCents(out, cents);
            return out;
        }
    }
    return formatSlow(value);
}

double parseTypedAmount(std::string_view typed) {
    std::string text(typed);
    if (const auto comma = text.find(','); comma != std::string::npos) {
        text[comma] = '.';
    }
    return parseAmount(text);
}

TypedAmount typedAmountState(std::string_view typed) {
    if (typed.empty()) {
        return TypedAmount::Complete;
    }
    std::string text(typed);
    if (const auto comma = text.find(','); comma != std::string::npos) {
        text[comma] = '.';
    }
    const NumberPrefix n = scanNumber(text);
    if (n.found && n.end == text.size()) {
        double value = 0.0;
        const auto result = std::from_chars(text.data() + n.start, text.data() + n.end, value,
                                            std::chars_format::general);
        const bool inRange = result.ec == std::errc() && std::isfinite(value) &&
                             value * 100.0 <= static_cast<double>(kMaxCents);
        return inRange ? TypedAmount::Complete : TypedAmount::Refused;
    }
    // A beginning of one: blanks, a sign, digits with one ".", an exponent mark with its
    // sign once there is a digit.
    const auto isSign = [](char c) { return c == '+' || c == '-'; };
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i < text.size() && isSign(text[i])) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            ++digits;
        }
    }
    if (digits > 0 && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && isSign(text[i])) {
            ++i;
        }
    }
    return i == text.size() ? TypedAmount::Incomplete : TypedAmount::Refused;
}

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool amountKeys(std::string_view typed) {
    return std::all_of(typed.begin(), typed.end(), [](char c) {
        return isDigit(c) || c == '+' || c == '-' || c == ',' || c == '.';
    });
}

bool typableAmount(std::string_view text) {
    const std::string_view kept = trimBlanks(text);
    if (kept.empty()) {
        return text.empty();
    }
    return amountKeys(kept) && typedAmountState(kept) != TypedAmount::Refused;
}

bool typableAmountAfter(std::string_view text, std::size_t from, std::size_t length,
                        std::string_view typed) {
    if (!amountKeys(typed)) {
        return false;
    }
    from = std::min(from, text.size());
    length = std::min(length, text.size() - from);
    std::string after;
    after.reserve(text.size() - length + typed.size());
    after.append(text.substr(0, from)).append(typed).append(text.substr(from + length));
    return typableAmount(after);
}

std::string normaliseAmountText(std::string_view typed) {
    if (typed.empty()) {
        return {};
    }
    return formatAmount(parseTypedAmount(typed));
}

} // namespace ledgora
