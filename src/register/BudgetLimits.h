// What the register asks of the monthly budget maxima, without depending on them. The
// default is the register on its own: no category has a maximum.
#pragma once

#include <string>

#include "money/Amount.h"
#include "register/Grid.h"
#include "register/MonthlySpending.h"

namespace ledgora {

class BudgetLimits {
public:
    virtual ~BudgetLimits() = default;

    // The category's monthly maximum in the account's currency; 0 for none.
    virtual Cents monthlyMaximum(const std::string& /*category*/) const { return 0; }
    // After an edit of `row`'s category or debit, once its date is filled: warns when the
    // category's spending in that row's month passes its maximum.
    virtual void alarmCheck(const Grid& /*reg*/, int /*row*/, const MonthlySpending& /*spending*/,
                            bool /*euros*/) {}
};

} // namespace ledgora
