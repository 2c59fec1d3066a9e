// The calculator's 28 functions, in the order of the keypad: each name with the hint its
// keypad button shows, its domain and its value. The evaluator and the keypad both read
// this one table.
#pragma once

#include <span>
#include <string_view>

#include "calculator/Evalueur.h"

namespace calculator {

struct CalculatorFunction {
    std::string_view name; // three capitals, as typed before "("
    std::string_view hint; // UTF-8
    // The message refusing x, or empty when x is inside the domain. Null: every x is.
    std::string_view (*refusal)(double x);
    // y = f(x) for an x inside the domain; false on an arithmetic failure (an infinite or
    // undefined result, a magnitude beyond a 64-bit integer where one is needed).
    bool (*value)(double x, double& y, const RandomSource& random);
};

std::span<const CalculatorFunction> calculatorFunctions();

// The function of that name (compared case-sensitively), or null.
const CalculatorFunction* findCalculatorFunction(std::string_view name);

} // namespace calculator
