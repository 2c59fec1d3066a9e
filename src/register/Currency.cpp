#include "register/Currency.h"

#include "money/Amount.h"

namespace ledgora {
namespace {

void convertCell(Grid& grid, int row, int amountColumn, int remainderColumn, bool toEuros) {
    std::string amount = grid.at(row, amountColumn);
    if (amount.empty()) {
        return;
    }
    std::string remainder = grid.at(row, remainderColumn);
    convertAmount(amount, remainder, toEuros);
    grid.set(row, amountColumn, amount);
    grid.set(row, remainderColumn, remainder);
}

void convertAmounts(Grid& grid, const AmountColumns& c, int firstRow, bool toEuros) {
    for (int r = firstRow; r < grid.rowCount(); ++r) {
        convertCell(grid, r, c.debit, c.debitRemainder, toEuros);
        convertCell(grid, r, c.credit, c.creditRemainder, toEuros);
    }
}

} // namespace

void convertAmount(std::string& amount, std::string& remainder, bool toEuros) {
    if (amount.empty()) {
        return;
    }
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

void convertAmountsToEuros(Grid& grid, const AmountColumns& columns, int firstRow) {
    convertAmounts(grid, columns, firstRow, true);
}

void convertAmountsToFrancs(Grid& grid, const AmountColumns& columns, int firstRow) {
    convertAmounts(grid, columns, firstRow, false);
}

} // namespace ledgora
