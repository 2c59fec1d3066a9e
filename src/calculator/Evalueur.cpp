#include "calculator/Evalueur.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <random>

#include "calculator/NumberText.h"
#include "platform/Cp1252.h"

namespace calculator {

namespace {

constexpr char kTimes = '\xD7';
constexpr char kDivide = '\xF7';
constexpr std::string_view kDelimiters = "#~\xD7\xF7^\\";
constexpr std::string_view kSignContext = "#~\xD7\xF7^(\\";
constexpr double kTwoTo63 = 9223372036854775808.0;

bool isDelimiter(char c) {
    return kDelimiters.find(c) != std::string_view::npos;
}

bool isPercentDigit(char c) {
    return (c >= '0' && c <= '9') || c == ',';
}

void assign(EvaluerState& state, std::string_view message, bool syntax) {
    state.message = message;
    if (syntax) {
        state.syntaxError = true;
    }
}

// An operand or number that cannot be read: the syntax flag, and "expression incorrecte."
// unless an earlier error already explains the line.
void unreadable(EvaluerState& state) {
    state.syntaxError = true;
    if (state.message == "ok") {
        state.message = "expression incorrecte.";
    }
}

void operatorFailure(EvaluerState& state) {
    assign(state, "expression incorrecte.", true);
}

// Round to nearest, halves to even, as a 64-bit integer; nothing when out of range.
std::optional<std::int64_t> roundToInt64(double x) {
    const double r = std::nearbyint(x);
    if (!(r >= -kTwoTo63 && r < kTwoTo63)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(r);
}

std::uint64_t clockSeededDraw(std::uint64_t n) {
    std::mt19937_64 generator(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(generator);
}

// Applies one operator; false on an arithmetic failure.
bool applyOperator(char op, double left, double right, double& result, EvaluerState& state) {
    switch (op) {
    case '#':
        result = left + right;
        break;
    case '~':
        result = left - right;
        break;
    case kTimes:
        result = left * right;
        break;
    case kDivide:
        if (right == 0) {
            // The line is in error; the division simply does not happen.
            assign(state, "division par zéro.", false);
            result = left;
            return true;
        }
        result = left / right;
        break;
    case '\\': {
        const auto l = roundToInt64(left);
        const auto r = roundToInt64(right);
        if (!l || !r || *r == 0) {
            return false;
        }
        // -2^63 modulo -1 would trap; its remainder is 0.
        result = *r == -1 ? 0.0 : static_cast<double>(*l % *r);
        break;
    }
    case '^':
        if (left > 0) {
            result = std::exp(right * std::log(left));
        } else if (left == 0 && right > 0) {
            result = 0.0;
        } else if (left < 0 && std::trunc(right) == right) {
            // x^2 must hold for negative x too: the magnitude the usual way, the sign
            // from the exponent's parity.
            result = std::exp(right * std::log(-left));
            if (std::fmod(right, 2.0) != 0) {
                result = -result;
            }
        } else {
            return false;
        }
        break;
    default:
        return false;
    }
    return std::isfinite(result);
}

double sine(double x) {
    return std::fabs(x) >= kTwoTo63 ? 0.0 : std::sin(x);
}

double cosine(double x) {
    return std::fabs(x) >= kTwoTo63 ? 0.0 : std::cos(x);
}

// The function's value; false on an arithmetic failure. Domain errors are checked before.
bool computeFunction(std::string_view name, double x, double& y, EvaluerState& state) {
    if (name == "INT") {
        y = std::trunc(x);
    } else if (name == "FIX") {
        if (!(std::fabs(x) < kTwoTo63)) {
            return false;
        }
        y = static_cast<double>(static_cast<std::int64_t>(x));
    } else if (name == "FRC") {
        y = x - std::trunc(x);
    } else if (name == "ABS") {
        y = std::fabs(x);
    } else if (name == "CAR") {
        y = x * x;
    } else if (name == "CUB") {
        y = x * x * x;
    } else if (name == "SGN") {
        y = x < 0 ? -1.0 : (x > 0 ? 1.0 : x);
    } else if (name == "RND") {
        const auto n = roundToInt64(x);
        if (!n) {
            return false;
        }
        if (*n <= 0) {
            y = 0;
        } else {
            const auto count = static_cast<std::uint64_t>(*n);
            std::uint64_t draw =
                state.options.random ? state.options.random(count) : clockSeededDraw(count);
            y = static_cast<double>(draw < count ? draw : count - 1);
        }
    } else if (name == "SQR") {
        y = std::sqrt(x);
    } else if (name == "INV") {
        y = 1 / x;
    } else if (name == "EXP") {
        y = std::exp(x);
    } else if (name == "LGN") {
        y = std::log(x);
    } else if (name == "LOG") {
        y = std::log(x) / std::log(10.0);
    } else if (name == "SIN") {
        y = sine(x);
    } else if (name == "COS") {
        y = cosine(x);
    } else if (name == "TAN") {
        y = sine(x) / cosine(x);
    } else if (name == "ATN") {
        y = std::atan(x);
    } else if (name == "RAD") {
        y = x * std::numbers::pi / 180;
    } else if (name == "DEG") {
        y = x * 180 / std::numbers::pi;
    } else if (name == "FAC") {
        const int n = static_cast<int>(x);
        y = 1;
        for (int i = 2; i <= n; ++i) {
            y *= i;
        }
    } else if (name == "ASI") {
        y = std::atan(x / std::sqrt(1 - x * x));
    } else if (name == "ACO") {
        y = std::atan2(std::sqrt(1 - x * x), x);
    } else if (name == "SIH") {
        y = (std::exp(x) - std::exp(-x)) * 0.5;
        return std::isfinite(std::exp(x)) && std::isfinite(std::exp(-x)) && std::isfinite(y);
    } else if (name == "COH") {
        y = (std::exp(x) + std::exp(-x)) * 0.5;
        return std::isfinite(std::exp(x)) && std::isfinite(std::exp(-x)) && std::isfinite(y);
    } else if (name == "TAH") {
        const double a = std::exp(x);
        const double b = std::exp(-x);
        y = (a - b) / (a + b);
        return std::isfinite(a) && std::isfinite(b) && std::isfinite(y);
    } else if (name == "ASH") {
        const double square = x * x;
        if (!std::isfinite(square)) {
            return false;
        }
        const double sum = x + std::sqrt(square + 1);
        if (!(sum > 0)) {
            return false;
        }
        y = std::log(sum);
    } else if (name == "ACH") {
        const double square = x * x;
        if (!std::isfinite(square)) {
            return false;
        }
        y = std::log(x + std::sqrt(square - 1));
    } else if (name == "ATH") {
        y = 0.5 * std::log((1 + x) / (1 - x));
    } else {
        return false;
    }
    return std::isfinite(y);
}

// The domain message of a function for x, or nothing when x is inside its domain.
std::string_view domainMessage(std::string_view name, double x) {
    if (name == "SQR" && x < 0) {
        return "racine carrée d'un nombre négatif.";
    }
    if (name == "INV" && x == 0) {
        return "division par zéro.";
    }
    if ((name == "LGN" || name == "LOG") && x <= 0) {
        return "logarithme d'un nombre négatif ou nul.";
    }
    if (name == "ASI" && (x <= -1 || x >= 1)) {
        return "valeur interdite pour arcsinus.";
    }
    if (name == "ACO" && (x <= -1 || x >= 1)) {
        return "valeur interdite pour arccosinus.";
    }
    if (name == "ACH" && x < 1) {
        return "valeur interdite pour argch.";
    }
    if (name == "ATH" && (x <= -1 || x >= 1)) {
        return "valeur interdite pour argth.";
    }
    return {};
}

constexpr std::array<std::string_view, 28> kFunctionNames = {
    "INT", "FIX", "FRC", "ABS", "CAR", "CUB", "SGN", "RND", "SQR", "INV",
    "EXP", "LGN", "LOG", "SIN", "COS", "TAN", "ATN", "RAD", "DEG", "FAC",
    "ASI", "ACO", "SIH", "COH", "TAH", "ASH", "ACH", "ATH"};

} // namespace

EvaluerResult Evaluer(std::string_view expression, std::span<const char> letters,
                      std::span<const double> values, bool& syntaxError,
                      const EvaluerOptions& options) {
    std::string text = platform::utf8ToCp1252(expression);
    EvaluerState state{"ok", syntaxError, options};
    Pourcentages(text, state);
    SubstituerVariables(text, letters, values, options.decimalSeparator);
    NormaliserSignes(text, state);
    const double value = EvaluerParentheses(text, state);
    return {value, state.message};
}

void Pourcentages(std::string& text, EvaluerState& state) {
    const char separator = state.options.decimalSeparator;
    for (;;) {
        const std::size_t p = text.find('%');
        if (p == std::string::npos || p == 0) {
            return;
        }
        std::size_t start = p;
        while (start > 0 && isPercentDigit(text[start - 1])) {
            --start;
        }
        const auto number = parseNumber(std::string_view(text).substr(start, p - start), separator);
        if (!number) {
            // Nothing readable before the "%": drop it so that the rest is still evaluated.
            unreadable(state);
            text.erase(p, 1);
            continue;
        }
        text.replace(start, p - start + 1, formatGeneral(*number / 100, separator));
    }
}

void SubstituerVariables(std::string& text, std::span<const char> letters,
                         std::span<const double> values, char separator) {
    const std::size_t count = std::min(letters.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) {
        RemplacerTout(std::string_view(&letters[i], 1), formatFixed(values[i], 15, separator),
                      text);
    }
}

void NormaliserSignes(std::string& text, EvaluerState& state) {
    const std::string exponentMinus = std::string("\xD7"
                                                  "0") +
                                      state.options.decimalSeparator + "1^";
    const std::array<std::pair<std::string_view, std::string_view>, 7> rules = {{
        {"++", "+"},
        {"--", "+"},
        {"+-", "-"},
        {"-+", "-"},
        {"()", ""},
        {"E+", "\xD7"
               "10^"},
        {"E-", exponentMinus},
    }};
    for (bool applied = true; applied;) {
        applied = false;
        for (const auto& [pattern, replacement] : rules) {
            if (text.find(pattern) == std::string::npos) {
                continue;
            }
            if (pattern == "()") {
                assign(state, "parenthèses incorrectement placées.", true);
                text = "1";
            } else {
                RemplacerTout(pattern, replacement, text);
            }
            applied = true;
            break;
        }
    }
    char previous = kTimes;
    for (char& c : text) {
        if ((c == '+' || c == '-') && kSignContext.find(previous) == std::string_view::npos) {
            c = c == '+' ? '#' : '~';
        }
        previous = c;
    }
}

double EvaluerParentheses(std::string& text, EvaluerState& state) {
    const char separator = state.options.decimalSeparator;
    for (;;) {
        const std::size_t close = text.find(')');
        if (close == std::string::npos) {
            break;
        }
        const std::size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
        const bool found = open != std::string::npos;
        if (!found) {
            assign(state, "il manque une parenthèse ouvrante.", true);
        }
        const std::size_t innerStart = found ? open + 1 : 0;
        double value = EvaluerOperateurs(text.substr(innerStart, close - innerStart), state);
        // The (up to) three characters before "(" may name a function.
        std::string_view name;
        if (found && open >= 2) {
            const std::size_t nameStart = open >= 3 ? open - 3 : 0;
            name = std::string_view(text).substr(nameStart, open - nameStart);
        }
        std::size_t replaceFrom = found ? open : 0;
        if (AppliquerFonction(name, value, state)) {
            replaceFrom = open - 3;
        }
        text.replace(replaceFrom, close - replaceFrom + 1, formatGeneral(value, separator));
    }
    if (text.find('(') != std::string::npos) {
        assign(state, "il manque une parenthèse fermante.", true);
    }
    return EvaluerOperateurs(text, state);
}

double EvaluerOperateurs(std::string text, EvaluerState& state) {
    const char separator = state.options.decimalSeparator;
    for (const std::string_view operators : ClassesOperateurs) {
        std::size_t i = 0;
        while (i < text.size()) {
            const char op = text[i];
            if (operators.find(op) == std::string_view::npos) {
                ++i;
                continue;
            }
            const std::size_t n = text.size();
            std::size_t rightEnd = i + 1;
            while (rightEnd < n && !isDelimiter(text[rightEnd])) {
                ++rightEnd;
            }
            // A trailing operator is dropped with its delimiter.
            const std::string tail =
                rightEnd + 1 >= n ? std::string() : FinDeTexte(text, rightEnd + 1);
            std::size_t leftStart = i;
            while (leftStart > 0 && !isDelimiter(text[leftStart - 1])) {
                --leftStart;
            }
            // So is a leading one.
            const std::size_t prefixLength = leftStart <= 1 ? 0 : leftStart;
            const auto left =
                parseNumber(std::string_view(text).substr(leftStart, i - leftStart), separator);
            const auto right =
                parseNumber(std::string_view(text).substr(i + 1, rightEnd - i - 1), separator);
            if (!left || !right) {
                unreadable(state);
                return kErrorValue;
            }
            double result = 0;
            if (!applyOperator(op, *left, *right, result, state)) {
                operatorFailure(state);
                return kErrorValue;
            }
            const std::string printed = formatGeneral(result, separator);
            text = text.substr(0, prefixLength) + printed + tail;
            i = prefixLength + printed.size();
        }
    }
    const auto value = parseNumber(text, separator);
    if (!value) {
        operatorFailure(state);
        return kErrorValue;
    }
    return *value;
}

bool AppliquerFonction(std::string_view name, double& value, EvaluerState& state) {
    bool known = false;
    for (const std::string_view candidate : kFunctionNames) {
        known = known || candidate == name;
    }
    if (!known) {
        return false;
    }
    if (name == "FAC") {
        // Three independent tests: the last failing one decides the message.
        bool refused = false;
        if (value > 170) {
            assign(state, "paramètre de factorielle trop grand.", false);
            refused = true;
        }
        if (value != std::trunc(value)) {
            assign(state, "paramètre de factorielle non entier.", false);
            refused = true;
        }
        if (value < 0) {
            assign(state, "paramètre de factorielle négatif.", false);
            refused = true;
        }
        if (refused) {
            return true;
        }
    }
    if (const std::string_view message = domainMessage(name, value); !message.empty()) {
        assign(state, message, false);
        return true;
    }
    double result = 0;
    if (!computeFunction(name, value, result, state)) {
        assign(state, "dépassement de capacité.", true);
        result = kErrorValue;
    }
    value = result;
    return true;
}

void RemplacerTout(std::string_view pattern, std::string_view replacement, std::string& text) {
    if (pattern.empty()) {
        return;
    }
    const std::size_t m = pattern.size();
    std::string out;
    out.reserve(text.size());
    if (replacement.find(pattern) != std::string_view::npos) {
        // Restarting from the start would never end.
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(pattern, from)) != std::string::npos; from = at + m) {
            out.append(text, from, at - from);
            out.append(replacement);
        }
        out.append(text, from);
        text = std::move(out);
        return;
    }
    // Streaming form of "replace the first occurrence, search again from the start": `out`
    // never holds an occurrence, so one ending at its tail is the leftmost of the whole text;
    // the replacement is fed back so that it can join with what precedes it.
    std::string feed; // characters still to read before the rest of `text`, last first
    std::size_t i = 0;
    for (;;) {
        char c = 0;
        if (!feed.empty()) {
            c = feed.back();
            feed.pop_back();
        } else if (i < text.size()) {
            c = text[i++];
        } else {
            break;
        }
        out.push_back(c);
        if (out.size() >= m && std::string_view(out).substr(out.size() - m) == pattern) {
            out.resize(out.size() - m);
            feed.append(replacement.rbegin(), replacement.rend());
        }
    }
    text = std::move(out);
}

std::string FinDeTexte(std::string_view text, std::size_t position) {
    if (position == 0) {
        position = 1;
    }
    if (position > text.size()) {
        return {};
    }
    return std::string(text.substr(position - 1));
}

} // namespace calculator
