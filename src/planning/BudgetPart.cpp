#include "planning/BudgetPart.h"

#include "register/GridTextFormat.h"

namespace ledgora {

BudgetPart::BudgetPart(platform::Registry& registry, platform::Dialogs& dialogs,
                       const NameList& categories, BudgetAlarm& alarm)
    : registry_(registry), dialogs_(dialogs), categories_(categories), alarm_(alarm) {}

void BudgetPart::created(const AccountRef& account) {
    alarm_.setAccount(account.user, account.account);
}

void BudgetPart::loaded(const AccountRef& account) {
    alarm_.setAccount(account.user, account.account);
}

void BudgetPart::converted(const AccountRef& account, bool toEuros) {
    if (!BudgetStore(registry_, account.user, account.account)
             .convert(categories_.entries(), toEuros)) {
        dialogs_.fail(settingsSaveError(registry_));
    }
}

void BudgetPart::closed() {
    alarm_.clearAccount();
}

} // namespace ledgora
