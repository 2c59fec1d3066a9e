#include "register/Currency.h"

#include <cmath>

#include "register/Amount.h"

namespace ledgora {
namespace {

// Euros to whole centimes, halves to even (the default rounding mode).
double centimesOf(double euros) {
    return std::nearbyint(euros * kFrancsPerEuro * 100.0);
}

void convertCell(Grid& grid, int row, int amountColumn, int remainderColumn, bool toEuros) {
    std::string& amount = grid.at(row, amountColumn);
    if (amount.empty()) {
        return;
    }
    std::string& remainder = grid.at(row, remainderColumn);
    if (toEuros) {
        const EuroAmount e = francsToEuros(parseAmount(amount));
        amount = formatAmount(e.euros);
        remainder = formatAmount(e.remainder);
    } else {
        const std::optional<double> kept =
            remainder.empty() ? std::nullopt : std::optional<double>(parseAmount(remainder));
        amount = formatAmount(eurosToFrancs(parseAmount(amount), kept));
        remainder.clear();
    }
}

void convertAmounts(Grid& grid, const AmountColumns& c, int firstRow, bool toEuros) {
    for (int r = firstRow; r < grid.rowCount(); ++r) {
        convertCell(grid, r, c.debit, c.debitRemainder, toEuros);
        convertCell(grid, r, c.credit, c.creditRemainder, toEuros);
    }
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

void convertAmountsToEuros(Grid& grid, const AmountColumns& columns, int firstRow) {
    convertAmounts(grid, columns, firstRow, true);
}

void convertAmountsToFrancs(Grid& grid, const AmountColumns& columns, int firstRow) {
    convertAmounts(grid, columns, firstRow, false);
}

} // namespace ledgora
