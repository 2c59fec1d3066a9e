#include "fincalc/FrancEuroConverter.h"

#include <cmath>

#include "fincalc/CalculatorInput.h"
#include "money/Amount.h"
#include "money/FrancEuro.h"

namespace fincalc {

std::string formatFrench(double value) {
    const std::string plain = ledgora::formatAmount(value); // "-1234.50"
    const std::size_t sign = plain.front() == '-' ? 1 : 0;
    const std::size_t point = plain.size() - 3;
    std::string out = plain.substr(0, sign);
    for (std::size_t i = sign; i < point; ++i) {
        if (i > sign && (point - i) % 3 == 0) {
            out += kFrenchGroupSeparator;
        }
        out += plain[i];
    }
    out += ',';
    out += plain.substr(point + 1);
    return out;
}

std::optional<double> readConverterAmount(std::string_view text, std::string_view suffix) {
    if (!suffix.empty() && text.ends_with(suffix)) {
        text.remove_suffix(suffix.size());
    }
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        // The groups the field shows: the French separator, a no-break space, a space.
        if (text.substr(i).starts_with(kFrenchGroupSeparator)) {
            i += kFrenchGroupSeparator.size();
        } else if (text.substr(i).starts_with("\u00A0")) {
            i += std::string_view("\u00A0").size();
        } else if (text[i] == ' ') {
            ++i;
        } else {
            plain += text[i++];
        }
    }
    if (plain.empty()) {
        return 0.0;
    }
    return readNumber(plain);
}

std::string francsToEurosText(double francs) {
    const double euros = ledgora::francsToEuros(francs).euros;
    if (!std::isfinite(euros)) {
        return std::string(kConversionOverflow);
    }
    return formatFrench(euros) + " €";
}

std::string eurosToFrancsText(double euros) {
    const double francs = ledgora::eurosToFrancs(euros, std::nullopt);
    if (!std::isfinite(francs)) {
        return std::string(kConversionOverflow);
    }
    return formatFrench(francs) + " F";
}

} // namespace fincalc
