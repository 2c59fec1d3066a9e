#include "register/Balances.h"

#include "money/Amount.h"
#include "register/RegisterColumns.h"

namespace ledgora {

double recomputeRunningBalances(Grid& reg) {
    double total = 0.0;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const std::string& debit = reg.at(r, col::Debit);
        const std::string& credit = reg.at(r, col::Credit);
        total = total + parseAmount(credit) - parseAmount(debit);
        std::string& solde = reg.at(r, col::Solde);
        if (debit.empty() && credit.empty()) {
            solde.clear();
        } else {
            solde = formatAmount(total);
        }
    }
    return total;
}

double reconciledBalance(const Grid& reg) {
    double total = 0.0;
    for (int r = 1; r < reg.rowCount(); ++r) {
        if (reg.at(r, col::Pointage) == kTicked) {
            total =
                total + parseAmount(reg.at(r, col::Credit)) - parseAmount(reg.at(r, col::Debit));
        }
    }
    return total;
}

Balances recomputeBalances(Grid& reg) {
    Balances b;
    b.balance = recomputeRunningBalances(reg);
    b.reconciled = reconciledBalance(reg);
    return b;
}

} // namespace ledgora
