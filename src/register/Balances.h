// The register as a ledger: running balances, the account balance and the reconciled
// balance.
#pragma once

#include "register/Grid.h"

namespace ledgora {

struct Balances {
    double balance = 0.0;
    double reconciled = 0.0;
};

// Writes the running balance into "solde" of every row with a debit or a credit (and
// empties it elsewhere); returns the final balance.
double recomputeRunningBalances(Grid& reg);

// Credit minus debit over the rows whose reconciled mark is ticked.
double reconciledBalance(const Grid& reg);

// Both of the above.
Balances recomputeBalances(Grid& reg);

} // namespace ledgora
