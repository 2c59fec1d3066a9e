#include "money/FrancEuro.h"

#include <cmath>

#include "money/Amount.h"

namespace ledgora {
namespace {

// Euros to whole centimes, halves to even (the default rounding mode).
double centimesOf(double euros) {
    return std::nearbyint(euros * kFrancsPerEuro * 100.0);
}

} // namespace

EuroAmount francsToEuros(double francs) {
    const double y = francs / kFrancsPerEuro;
    const double magnitude = std::fabs(y);
    const double t = std::trunc(magnitude);
    const double f = magnitude - t;
    const double m = std::trunc(f * 1000.0);
    double k = std::trunc(f * 100.0);
    if (std::fmod(m, 10.0) >= 5.0) {
        k += 1.0;
    }
    double euros = t + k / 100.0;
    if (y < 0) {
        euros = -euros;
    }
    // The way back starts from the two-decimal text; start from the same value here.
    euros = parseAmount(formatAmount(euros));
    return {euros, francs - centimesOf(euros) / 100.0};
}

double eurosToFrancs(double euros, std::optional<double> remainder) {
    if (!remainder) {
        return euros * kFrancsPerEuro;
    }
    return centimesOf(euros) / 100.0 + *remainder;
}

} // namespace ledgora
