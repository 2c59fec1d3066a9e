// Arbitrary Windows-1252 bytes as one worksheet line: the evaluator must return, with a
// finite value that prints without "inf" or "nan", and one of its own messages.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/Evalueur.h"
#include "calculator/NumberText.h"
#include "platform/Cp1252.h"

namespace {

constexpr std::array<std::string_view, 16> kMessages = {
    "ok",
    "parenthèses incorrectement placées.",
    "il manque une parenthèse ouvrante.",
    "il manque une parenthèse fermante.",
    "expression incorrecte.",
    "dépassement de capacité.",
    "division par zéro.",
    "racine carrée d'un nombre négatif.",
    "logarithme d'un nombre négatif ou nul.",
    "paramètre de factorielle trop grand.",
    "paramètre de factorielle non entier.",
    "paramètre de factorielle négatif.",
    "valeur interdite pour arcsinus.",
    "valeur interdite pour arccosinus.",
    "valeur interdite pour argch.",
    "valeur interdite pour argth.",
};

bool printsCleanly(const std::string& text) {
    return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line =
        platform::cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    static constexpr std::array<char, 10> letters = {'x', 'y', 'z', 't', 'm',
                                                     'n', 'p', 'q', 'r', 's'};
    static constexpr std::array<double, 10> values = {2,   -3.5, 0,  1e20,  1e-20,
                                                      0.1, 7,    -1, 1e300, 0};
    calculator::EvaluerOptions options;
    options.decimalSeparator = (size % 2 == 0) ? ',' : '.';
    options.random = [](std::uint64_t n) { return n / 2; };
    bool syntax = false;
    const calculator::EvaluerResult r = calculator::Evaluer(line, letters, values, syntax, options);
    if (!std::isfinite(r.value)) {
        std::abort();
    }
    bool known = false;
    for (const std::string_view m : kMessages) {
        known = known || r.message == m;
    }
    if (!known || !printsCleanly(calculator::formatGeneral(r.value, ',')) ||
        !printsCleanly(calculator::formatFixed(r.value, 15, ','))) {
        std::abort();
    }
    return 0;
}
