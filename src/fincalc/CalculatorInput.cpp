#include "fincalc/CalculatorInput.h"

#include <cmath>
#include <string>

#include "calculator/NumberText.h"
#include "fincalc/Checked.h"

namespace fincalc {

std::optional<double> readNumber(std::string_view text) {
    // The windows read with the separator in force, which is "." or "," depending on
    // whether the calculator is open; take either, but only one of them.
    std::string normal(text);
    const auto comma = normal.find(',');
    if (comma != std::string::npos) {
        if (normal.find('.') != std::string::npos) {
            return std::nullopt;
        }
        normal[comma] = '.';
    }
    return calculator::parseNumber(normal, '.');
}

bool readsAsOne(std::string_view text) {
    const auto value = readNumber(text);
    return value && *value == 1.0;
}

bool durationRefuses(char32_t character) {
    return character == U'.' || character == U',';
}

long long wholePeriods(double value, int factor) {
    const double rounded = std::nearbyint(value) * factor;
    if (!(rounded >= 1 && rounded <= static_cast<double>(kMaxPeriods))) {
        throw ArithmeticFailure{};
    }
    return static_cast<long long>(rounded);
}

} // namespace fincalc
