// The budgets as a part of the open account: they follow the account that is open, and
// are converted when the account's currency changes. The maxima live only in the settings
// store, so there is nothing to load or save.
#pragma once

#include "planning/BudgetAlarm.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "register/AccountPart.h"
#include "register/NameList.h"

namespace ledgora {

class BudgetPart : public AccountPart {
public:
    // The category list says which budgets a conversion writes; `dialogs` tells a
    // conversion that could not be saved. All are borrowed.
    BudgetPart(platform::Registry& registry, platform::Dialogs& dialogs, const NameList& categories,
               BudgetAlarm& alarm);

    void created(const AccountRef& account) override;
    void loaded(const AccountRef& account) override;
    void converted(const AccountRef& account, bool toEuros) override;
    void closed() override;

private:
    platform::Registry& registry_;
    platform::Dialogs& dialogs_;
    const NameList& categories_;
    BudgetAlarm& alarm_;
};

} // namespace ledgora
