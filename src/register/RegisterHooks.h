// What the register asks of the subsystems built on top of it (linked transfers, budget
// maxima), without depending on them. The defaults are the register on its own: no
// transfer is linked, no category has a maximum.
#pragma once

#include <string>

#include "register/Grid.h"

namespace ledgora {

class RegisterHooks {
public:
    virtual ~RegisterHooks() = default;

    // Linked transfers: their "numero" and "notes" are locked.
    virtual bool isLinkedTransfer(const Grid& reg, int row) const;
    // After an edit of a row's amount, category or mode.
    virtual void transferCheck(Grid& reg, int row);
    // Before a linked transfer's row is removed: its twin in the other account goes first.
    virtual void deleteTwin(const Grid& reg, int row);

    // The category's monthly maximum in the account's currency; 0 for none.
    virtual double monthlyMaximum(const std::string& category) const;
    // After an edit of a row's category or debit.
    virtual void budgetAlarm(const Grid& reg, int row);
    // After the account's display currency changed.
    virtual void convertBudgets(bool toEuros);
};

} // namespace ledgora
