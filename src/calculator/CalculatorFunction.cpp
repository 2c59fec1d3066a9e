#include "calculator/CalculatorFunction.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace calculator {
namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;

// Beyond 2^63 the processor's sine and cosine give up; the calculator answers 0 there.
double sine(double x) {
    return std::fabs(x) >= kTwoTo63 ? 0.0 : std::sin(x);
}

double cosine(double x) {
    return std::fabs(x) >= kTwoTo63 ? 0.0 : std::cos(x);
}

std::uint64_t clockSeededDraw(std::uint64_t n) {
    std::mt19937_64 generator(static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<std::uint64_t>(0, n - 1)(generator);
}

// The hyperbolic functions fail as soon as one exponential does, even where the quotient
// alone could be held (TAH(1000)).
bool hyperbolic(double x, double& y, double (*combine)(double a, double b)) {
    const double a = std::exp(x);
    const double b = std::exp(-x);
    y = combine(a, b);
    return std::isfinite(a) && std::isfinite(b);
}

std::string_view negativeRoot(double x) {
    return x < 0 ? "racine carrée d'un nombre négatif." : "";
}

std::string_view zeroDivisor(double x) {
    return x == 0 ? "division par zéro." : "";
}

std::string_view logarithmDomain(double x) {
    return x <= 0 ? "logarithme d'un nombre négatif ou nul." : "";
}

bool outsideOpenUnit(double x) {
    return x <= -1 || x >= 1;
}

// Three tests run one after the other, each assigning its message: the last failing one
// is the one the user reads.
std::string_view factorialDomain(double x) {
    if (x < 0) {
        return "paramètre de factorielle négatif.";
    }
    if (x != std::trunc(x)) {
        return "paramètre de factorielle non entier.";
    }
    if (x > 170) {
        return "paramètre de factorielle trop grand.";
    }
    return "";
}

using R = const RandomSource&;

constexpr CalculatorFunction kFunctions[] = {
    {"ABS", "valeur absolue", nullptr,
     [](double x, double& y, R) {
         y = std::fabs(x);
         return true;
     }},
    {"ACH", "argument cosinus hyperbolique (argch)",
     [](double x) -> std::string_view { return x < 1 ? "valeur interdite pour argch." : ""; },
     [](double x, double& y, R) {
         const double square = x * x;
         y = std::log(x + std::sqrt(square - 1));
         return std::isfinite(square);
     }},
    {"ACO", "arc cosinus (arccos)",
     [](double x) -> std::string_view {
         return outsideOpenUnit(x) ? "valeur interdite pour arccosinus." : "";
     },
     [](double x, double& y, R) {
         y = std::atan2(std::sqrt(1 - x * x), x);
         return true;
     }},
    {"ASI", "arc sinus (arcsin)",
     [](double x) -> std::string_view {
         return outsideOpenUnit(x) ? "valeur interdite pour arcsinus." : "";
     },
     [](double x, double& y, R) {
         y = std::atan(x / std::sqrt(1 - x * x));
         return true;
     }},
    {"ASH", "argument sinus hyperbolique (argsh)", nullptr,
     [](double x, double& y, R) {
         const double square = x * x;
         if (!std::isfinite(square)) {
             return false;
         }
         const double sum = x + std::sqrt(square + 1);
         y = std::log(sum);
         return sum > 0;
     }},
    {"ATH", "argument tangente hyperbolique (argth)",
     [](double x) -> std::string_view {
         return outsideOpenUnit(x) ? "valeur interdite pour argth." : "";
     },
     [](double x, double& y, R) {
         y = 0.5 * std::log((1 + x) / (1 - x));
         return true;
     }},
    {"ATN", "arc tangente (arctg)", nullptr,
     [](double x, double& y, R) {
         y = std::atan(x);
         return true;
     }},
    {"CAR", "carré (x^2)", nullptr,
     [](double x, double& y, R) {
         y = x * x;
         return true;
     }},
    {"COH", "cosinus hyperbolique (ch)", nullptr,
     [](double x, double& y, R) {
         return hyperbolic(x, y, [](double a, double b) { return (a + b) * 0.5; });
     }},
    {"COS", "cosinus", nullptr,
     [](double x, double& y, R) {
         y = cosine(x);
         return true;
     }},
    {"CUB", "cube (x^3)", nullptr,
     [](double x, double& y, R) {
         y = x * x * x;
         return true;
     }},
    {"DEG", "conversion radians -> degrés", nullptr,
     [](double x, double& y, R) {
         y = x * 180 / std::numbers::pi;
         return true;
     }},
    {"EXP", "exponentielle de base e", nullptr,
     [](double x, double& y, R) {
         y = std::exp(x);
         return true;
     }},
    {"FAC", "factorielle", factorialDomain,
     [](double x, double& y, R) {
         const int n = static_cast<int>(x);
         y = 1;
         for (int i = 2; i <= n; ++i) {
             y *= i;
         }
         return true;
     }},
    {"FIX", "enlève les décimales", nullptr,
     [](double x, double& y, R) {
         if (!(std::fabs(x) < kTwoTo63)) {
             return false;
         }
         y = static_cast<double>(static_cast<std::int64_t>(x));
         return true;
     }},
    {"FRC", "ne garde que les décimales", nullptr,
     [](double x, double& y, R) {
         y = x - std::trunc(x);
         return true;
     }},
    {"INT", "partie entière", nullptr,
     [](double x, double& y, R) {
         y = std::trunc(x);
         return true;
     }},
    {"INV", "inverse (1/x)", zeroDivisor,
     [](double x, double& y, R) {
         y = 1 / x;
         return true;
     }},
    {"LGN", "logarithme népérien (ln)", logarithmDomain,
     [](double x, double& y, R) {
         y = std::log(x);
         return true;
     }},
    {"LOG", "logarithme décimal (log)", logarithmDomain,
     [](double x, double& y, R) {
         y = std::log(x) / std::log(10.0);
         return true;
     }},
    {"RAD", "conversion degrés -> radians)", nullptr,
     [](double x, double& y, R) {
         y = x * std::numbers::pi / 180;
         return true;
     }},
    {"RND", "RND(x) renvoie un entier aléatoire compris entre 0 et x", nullptr,
     [](double x, double& y, R random) {
         // n is x rounded halves to even, as a 64-bit integer.
         const double n = std::nearbyint(x);
         if (!(n >= -kTwoTo63 && n < kTwoTo63)) {
             return false;
         }
         if (n <= 0) {
             y = 0;
             return true;
         }
         const auto count = static_cast<std::uint64_t>(n);
         const std::uint64_t draw = random ? random(count) : clockSeededDraw(count);
         y = static_cast<double>(draw < count ? draw : count - 1);
         return true;
     }},
    {"SIH", "sinus hyperbolique (sh)", nullptr,
     [](double x, double& y, R) {
         return hyperbolic(x, y, [](double a, double b) { return (a - b) * 0.5; });
     }},
    {"SIN", "sinus", nullptr,
     [](double x, double& y, R) {
         y = sine(x);
         return true;
     }},
    {"SGN", "signe : -1 (<0), 0 ou 1 (>0)", nullptr,
     [](double x, double& y, R) {
         y = x < 0 ? -1.0 : (x > 0 ? 1.0 : x);
         return true;
     }},
    {"SQR", "racine carrée", negativeRoot,
     [](double x, double& y, R) {
         y = std::sqrt(x);
         return true;
     }},
    {"TAH", "tangente hyperbolique (th)", nullptr,
     [](double x, double& y, R) {
         return hyperbolic(x, y, [](double a, double b) { return (a - b) / (a + b); });
     }},
    {"TAN", "tangente (tan)", nullptr,
     [](double x, double& y, R) {
         y = sine(x) / cosine(x);
         return true;
     }},
};

} // namespace

std::span<const CalculatorFunction> calculatorFunctions() {
    return kFunctions;
}

const CalculatorFunction* findCalculatorFunction(std::string_view name) {
    for (const CalculatorFunction& f : kFunctions) {
        if (f.name == name) {
            return &f;
        }
    }
    return nullptr;
}

} // namespace calculator
