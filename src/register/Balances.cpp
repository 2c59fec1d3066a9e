#include "register/Balances.h"

#include "money/Amount.h"
#include "register/RegisterColumns.h"

namespace ledgora {

Cents recomputeRunningBalances(Grid& reg) {
    Cents total = 0;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const std::string& debit = reg.at(r, col::Debit);
        const std::string& credit = reg.at(r, col::Credit);
        total = addCents(total, addCents(parseCents(credit), -parseCents(debit)));
        std::string& solde = reg.at(r, col::Solde);
        if (debit.empty() && credit.empty()) {
            solde.clear();
        } else {
            solde = formatCents(total);
        }
    }
    return total;
}

Cents reconciledBalance(const Grid& reg) {
    Cents total = 0;
    for (int r = 1; r < reg.rowCount(); ++r) {
        if (reg.at(r, col::Pointage) == kTicked) {
            total = addCents(total, addCents(parseCents(reg.at(r, col::Credit)),
                                             -parseCents(reg.at(r, col::Debit))));
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
