#include "banktools/Reconciliation.h"

#include "money/Amount.h"

namespace ledgora {

std::string_view currencyWord(bool euros) {
    return euros ? "Euros" : "Francs";
}

const FavourText& favourText(Favour favour) {
    for (const FavourText& f : kFavourTexts) {
        if (f.favour == favour) {
            return f;
        }
    }
    return kFavourTexts.back();
}

std::string reconciledText(double reconciled, bool euros) {
    return formatAmount(reconciled) + " " + std::string(currencyWord(euros));
}

ReconciliationResult reconcile(std::string_view statement, std::string_view reconciled,
                               bool euros) {
    const Cents b = centsOf(parseTypedAmount(statement));
    const Cents p = parseCents(reconciled);
    const Cents d = b - p;
    const Favour favour = d < 0 ? Favour::Bank : d > 0 ? Favour::You : Favour::Even;
    const FavourText& f = favourText(favour);
    ReconciliationResult result;
    result.favour = favour;
    result.text = formatCents(d < 0 ? -d : d) + " " + std::string(currencyWord(euros)) +
                  std::string(f.suffix);
    result.colour = f.colour;
    return result;
}

std::string statementFieldText(double stored) {
    return centsOf(stored) == 0 ? std::string() : formatAmount(stored);
}

StatementBalance statementOnClose(std::string_view field, const StatementBalance& stored) {
    const double typed = parseTypedAmount(field);
    if (centsOf(typed) == centsOf(stored.balance)) {
        return stored;
    }
    return {centsToDouble(centsOf(typed)), 0.0};
}

} // namespace ledgora
