// The register as a ledger: running balances, the account balance and the reconciled
// balance.
#pragma once

#include "money/Amount.h"
#include "register/Grid.h"

namespace ledgora {

struct Balances {
    Cents balance = 0;
    Cents reconciled = 0;
};

// Writes the running balance into "solde" of every row with a debit or a credit (and
// empties it elsewhere); returns the final balance. Amounts are read to the cent and
// summed in cents, so the balances are exact whatever the number of rows.
Cents recomputeRunningBalances(Grid& reg);

// Credit minus debit over the rows whose reconciled mark is ticked.
Cents reconciledBalance(const Grid& reg);

// Both of the above.
Balances recomputeBalances(Grid& reg);

} // namespace ledgora
