#include "calculator/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "calculator/Evalueur.h"

namespace calculator {

namespace {

// The value rounded to 15 significant digits: its digits without trailing zeros (at
// least one) and the power of ten of the first digit. Locale-independent (to_chars).
struct Significant {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Significant significant(double value) {
    Significant s;
    if (value == 0) {
        s.digits.assign(1, '0');
        return s;
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    std::size_t i = 0;
    if (text[i] == '-') {
        s.negative = true;
        ++i;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i) {
        if (text[i] != '.') {
            s.digits.push_back(text[i]);
        }
    }
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    s.exponent);
    while (s.digits.size() > 1 && s.digits.back() == '0') {
        s.digits.pop_back();
    }
    return s;
}

double finiteOrErrorValue(double value) {
    if (std::isnan(value)) {
        return kErrorValue;
    }
    if (std::isinf(value)) {
        return value > 0 ? kErrorValue : -kErrorValue;
    }
    return value;
}

} // namespace

std::string formatGeneral(double value, char separator) {
    const Significant s = significant(finiteOrErrorValue(value));
    if (s.digits == "0") {
        return "0";
    }
    std::string out = s.negative ? "-" : "";
    const int e = s.exponent;
    const int n = static_cast<int>(s.digits.size());
    if (e >= 15 || e < -5) {
        out += s.digits[0];
        if (n > 1) {
            out += separator;
            out.append(s.digits, 1);
        }
        out += 'E';
        out += std::to_string(e);
        return out;
    }
    if (e >= 0) {
        if (n <= e + 1) {
            out += s.digits;
            out.append(static_cast<std::size_t>(e + 1 - n), '0');
        } else {
            out.append(s.digits, 0, static_cast<std::size_t>(e + 1));
            out += separator;
            out.append(s.digits, static_cast<std::size_t>(e + 1));
        }
        return out;
    }
    out += '0';
    out += separator;
    out.append(static_cast<std::size_t>(-e - 1), '0');
    out += s.digits;
    return out;
}

std::string formatFixed(double value, int decimals, char separator) {
    value = finiteOrErrorValue(value);
    const Significant s = significant(value);
    if (s.exponent >= 15) {
        return formatGeneral(value, separator);
    }
    if (decimals < 0) {
        decimals = 0;
    }
    // `kept` is the magnitude times 10^decimals, as decimal digits.
    std::string kept;
    if (s.digits != "0") {
        const int keep = s.exponent + decimals + 1;
        const int n = static_cast<int>(s.digits.size());
        if (keep >= n) {
            kept = s.digits;
            kept.append(static_cast<std::size_t>(keep - n), '0');
        } else if (keep >= 0) {
            kept = s.digits.substr(0, static_cast<std::size_t>(keep));
            if (s.digits[static_cast<std::size_t>(keep)] >= '5') {
                int i = keep - 1;
                for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i) {
                    kept[static_cast<std::size_t>(i)] = '0';
                }
                if (i >= 0) {
                    ++kept[static_cast<std::size_t>(i)];
                } else {
                    kept.insert(kept.begin(), '1');
                }
            }
        }
    }
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    if (kept.size() < static_cast<std::size_t>(decimals) + 1) {
        kept.insert(0, static_cast<std::size_t>(decimals) + 1 - kept.size(), '0');
    }
    std::string out = (s.negative && !zero) ? "-" : "";
    const std::size_t integerDigits = kept.size() - static_cast<std::size_t>(decimals);
    out.append(kept, 0, integerDigits);
    if (decimals > 0) {
        out += separator;
        out.append(kept, integerDigits);
    }
    return out;
}

std::optional<double> parseNumber(std::string_view text, char separator) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    const std::string_view integerPart = text.substr(integerStart, i - integerStart);
    std::string_view fractionPart;
    if (i < n && text[i] == separator) {
        const std::size_t fractionStart = ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        fractionPart = text.substr(fractionStart, i - fractionStart);
    }
    if (integerPart.empty() && fractionPart.empty()) {
        return std::nullopt;
    }
    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            ++i;
        }
        const std::size_t digitsStart = i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + (text[i] - '0');
            }
            ++i;
        }
        if (i == digitsStart) {
            return std::nullopt;
        }
        if (exponentNegative) {
            exponent = -exponent;
        }
    }
    if (i != n) {
        return std::nullopt;
    }

    std::string normal;
    normal.reserve(integerPart.size() + fractionPart.size() + 16);
    normal.append(integerPart.empty() ? std::string_view("0") : integerPart);
    normal += '.';
    normal.append(fractionPart.empty() ? std::string_view("0") : fractionPart);
    normal += 'e';
    normal += std::to_string(exponent);
    double value = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow fails; underflow reads as 0. Judge by the power of ten of the first
        // significant digit.
        long long magnitude = 0;
        const std::size_t firstInteger = integerPart.find_first_not_of('0');
        if (firstInteger != std::string_view::npos) {
            magnitude = static_cast<long long>(integerPart.size() - firstInteger) - 1;
        } else {
            const std::size_t firstFraction = fractionPart.find_first_not_of('0');
            magnitude = firstFraction == std::string_view::npos
                            ? -1
                            : -static_cast<long long>(firstFraction) - 1;
        }
        if (magnitude + exponent >= 0) {
            return std::nullopt;
        }
        value = 0;
    } else if (result.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace calculator
