// The register as a ledger: running balances, the account balance and the reconciled
// balance, computed from scratch or brought up to date after one row's edit.
#pragma once

#include "money/Amount.h"
#include "register/Grid.h"

namespace ledgora {

struct Balances {
    Cents balance = 0;
    Cents reconciled = 0;
    // The sum of every debit and credit taken positive: no sum of a part of them, running
    // balance, reconciled balance or monthly spending, can be larger. While it stays below
    // Grid::kMaxCellCents, sums updated from a row's difference are exact.
    Cents magnitude = 0;

    bool operator==(const Balances&) const = default;
};

// Writes the running balance into "solde" of every row with a debit or a credit (and
// empties it elsewhere); returns the final balance. Amounts are read to the cent and
// summed in cents, so the balances are exact whatever the number of rows.
Cents recomputeRunningBalances(Grid& reg);

// Credit minus debit over the rows whose reconciled mark is ticked.
Cents reconciledBalance(const Grid& reg);

// Both of the above.
Balances recomputeBalances(Grid& reg);

// What one row puts into the balances, read before an edit of the row.
struct RowAmount {
    bool present = false; // a debit or a credit, readable or not
    Cents amount = 0;     // credit minus debit
    Cents magnitude = 0;
    bool ticked = false;
};
RowAmount rowAmount(const Grid& reg, int row);

// After row `row` of a register whose balances are `balances` changed from `before`:
// the row's running balance and those below it, and `balances`, as recomputeBalances()
// would leave them, in time independent of the register's length. Recomputes everything
// when the difference alone cannot give an exact result (sums near the ends of the range,
// a balance cell that holds a text).
void updateBalances(Grid& reg, int row, const RowAmount& before, Balances& balances);

} // namespace ledgora
