// Francs and euros: the fixed rate, and the rounding of a franc amount to euros with the
// remainder that makes the way back exact.
#pragma once

#include <optional>

namespace ledgora {

inline constexpr double kFrancsPerEuro = 6.55957;

struct EuroAmount {
    double euros = 0.0;     // rounded to the cent
    double remainder = 0.0; // francs the rounding dropped
};

// Euros are the franc amount divided by the rate, rounded half away from zero to the
// cent on its third decimal; the remainder is the francs minus those euros converted
// back and rounded to the centime (halves to even).
EuroAmount francsToEuros(double francs);

// The way back. With a remainder (an amount that came from francs): the euros converted
// and rounded to the centime as francsToEuros() does, plus the remainder, which restores
// the franc amount exactly. Without one (an amount typed in euros): the plain product.
double eurosToFrancs(double euros, std::optional<double> remainder);

} // namespace ledgora
