#include "register/Balances.h"

#include <cstdlib>

#include "money/Amount.h"
#include "register/RegisterColumns.h"

namespace ledgora {
namespace {

Cents magnitudeOf(Cents debit, Cents credit) {
    return addCents(std::llabs(debit), std::llabs(credit));
}

// The running balance just above `row`: that of the nearest row above with an amount.
std::optional<Cents> balanceAbove(const Grid& reg, int row) {
    for (int r = row - 1; r >= 1; --r) {
        if (!reg.at(r, col::Debit).empty() || !reg.at(r, col::Credit).empty()) {
            return reg.centsAt(r, col::Solde);
        }
    }
    return 0;
}

} // namespace

Cents recomputeRunningBalances(Grid& reg) {
    Cents total = 0;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const auto debit = reg.parsedCentsAt(r, col::Debit);
        const auto credit = reg.parsedCentsAt(r, col::Credit);
        if (!debit && !credit) {
            reg.set(r, col::Solde, {});
            continue;
        }
        total = addCents(total, addCents(credit.value_or(0), -debit.value_or(0)));
        reg.setCents(r, col::Solde, total);
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
    // One pass: the sums are those of recomputeRunningBalances(), reconciledBalance() and
    // rowAmount(), each added in the same order.
    Balances b;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const auto debit = reg.parsedCentsAt(r, col::Debit);
        const auto credit = reg.parsedCentsAt(r, col::Credit);
        if (!debit && !credit) {
            reg.set(r, col::Solde, {});
            continue; // nothing to add to any sum
        }
        const bool ticked = reg.at(r, col::Pointage) == kTicked;
        const Cents d = debit.value_or(0);
        const Cents c = credit.value_or(0);
        const Cents amount = addCents(c, -d);
        b.balance = addCents(b.balance, amount);
        reg.setCents(r, col::Solde, b.balance);
        if (ticked) {
            b.reconciled = addCents(b.reconciled, amount);
        }
        b.magnitude = addCents(b.magnitude, magnitudeOf(d, c));
    }
    return b;
}

RowAmount rowAmount(const Grid& reg, int row) {
    RowAmount a;
    const CellText debit = reg.at(row, col::Debit);
    const CellText credit = reg.at(row, col::Credit);
    a.present = !debit.empty() || !credit.empty();
    const Cents d = parseCents(debit);
    const Cents c = parseCents(credit);
    a.amount = addCents(c, -d);
    a.magnitude = magnitudeOf(d, c);
    a.ticked = reg.at(row, col::Pointage) == kTicked;
    return a;
}

void updateBalances(Grid& reg, int row, const RowAmount& before, Balances& balances) {
    const RowAmount after = rowAmount(reg, row);
    // Below the bound no sum saturates, in the update or in a recomputation, so both give
    // the same cents.
    const Cents magnitude = addCents(balances.magnitude, after.magnitude);
    bool exact = magnitude <= Grid::kMaxCellCents && before.magnitude <= balances.magnitude;
    std::optional<Cents> above;
    if (exact && after.present) {
        if (before.present) {
            const auto own = reg.centsAt(row, col::Solde);
            above = own ? std::optional<Cents>(*own - before.amount) : std::nullopt;
        } else {
            above = balanceAbove(reg, row);
        }
        exact = above.has_value();
    }
    if (!exact) {
        balances = recomputeBalances(reg);
        return;
    }
    const Cents was = before.present ? before.amount : 0;
    const Cents now = after.present ? after.amount : 0;
    if (after.present) {
        reg.setCents(row, col::Solde, *above + now);
    } else {
        reg.set(row, col::Solde, {});
    }
    reg.addCentsFrom(col::Solde, row + 1, now - was);
    balances.balance += now - was;
    balances.reconciled += (after.ticked ? now : 0) - (before.ticked ? was : 0);
    balances.magnitude = magnitude - before.magnitude;
}

} // namespace ledgora
