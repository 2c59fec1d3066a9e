// The calculator's expression evaluator. It rewrites the text of one line, replacing each
// sub-expression by its value printed with 15 significant digits, until one number is
// left. Used once per worksheet line and, repeatedly, by the loan calculator.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace calculator {

// The value after an arithmetic failure, put back into the text like any other.
inline constexpr double kErrorValue = 1E308;

// Draws a whole number from 0 to n - 1 (n >= 1).
using RandomSource = std::function<std::uint64_t(std::uint64_t n)>;

struct EvaluerOptions {
    // "," for the worksheet, "." for other callers.
    char decimalSeparator = '.';
    // Empty: a generator reseeded from the clock at every draw.
    RandomSource random;
};

struct EvaluerResult {
    double value = 0;
    std::string message; // "ok", or the last error message assigned (UTF-8)
};

// Evaluates a UTF-8 expression written with the calculator's symbols ("×", "÷", "^", "\",
// "%", functions in capitals), `letters[i]` standing for `values[i]`. The value is
// meaningful only when the message is "ok" and `syntaxError` is clear; the evaluator sets
// `syntaxError` but never clears it. The value is always finite.
EvaluerResult Evaluer(std::string_view expression, std::span<const char> letters,
                      std::span<const double> values, bool& syntaxError,
                      const EvaluerOptions& options = {});

// ---- The steps of Evaluer, on Windows-1252 text ("×" is 0xD7, "÷" is 0xF7). ----

// Operator classes, highest precedence first; operators of a class go left to right.
inline constexpr std::array<std::string_view, 4> ClassesOperateurs = {"^", "\xD7\xF7", "\\", "#~"};

// What the steps of one evaluation share.
struct EvaluerState {
    std::string message = "ok";
    bool& syntaxError;
    const EvaluerOptions& options;
};

// Each "%" with the number before it (digits and ",") becomes that number divided by 100.
void Pourcentages(std::string& text, EvaluerState& state);
// Each letter becomes its value in fixed notation with 15 decimals.
void SubstituerVariables(std::string& text, std::span<const char> letters,
                         std::span<const double> values, char separator);
// Folds runs of signs, rewrites "E+" and "E-", and marks binary "+" "-" as "#" "~".
void NormaliserSignes(std::string& text, EvaluerState& state);
// Evaluates the groups innermost first, applying functions, then what is left.
double EvaluerParentheses(std::string& text, EvaluerState& state);
// Evaluates a text of operands and operators by class; 1E308 after a failure.
double EvaluerOperateurs(std::string text, EvaluerState& state);
// When `name` is one of the 28 function names, replaces `value` by the function's value
// (or assigns a domain message) and returns true; otherwise changes nothing.
bool AppliquerFonction(std::string_view name, double& value, EvaluerState& state);
// Replaces the first occurrence again and again, searching from the start each time, until
// none is left. A replacement holding the pattern is applied in one pass instead.
void RemplacerTout(std::string_view pattern, std::string_view replacement, std::string& text);
// The text from the 1-based `position` to its end; empty past the end.
std::string FinDeTexte(std::string_view text, std::size_t position);

} // namespace calculator
