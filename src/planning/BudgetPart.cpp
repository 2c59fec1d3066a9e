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
    // The part follows the open account; a conversion is always the open account's.
    alarm_.setAccount(account.user, account.account);
    if (!alarm_.convert(categories_.entries(), toEuros)) {
        dialogs_.fail(settingsSaveError(registry_));
    }
}

void BudgetPart::closed() {
    alarm_.clearAccount();
}

} // namespace ledgora
