#include "calculator/Evalueur.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "calculator/CalculatorFunction.h"
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
    const CalculatorFunction* function = findCalculatorFunction(name);
    if (function == nullptr) {
        return false;
    }
    // A value outside the domain is kept; the message says why.
    if (function->refusal != nullptr) {
        if (const std::string_view message = function->refusal(value); !message.empty()) {
            assign(state, message, false);
            return true;
        }
    }
    double result = 0;
    if (!function->value(value, result, state.options.random) || !std::isfinite(result)) {
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
