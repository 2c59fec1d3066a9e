#include "planning/LastYearPart.h"

#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"

namespace ledgora {

LastYearPart::LastYearPart(platform::Registry& registry, const platform::Clock& clock,
                           platform::Dialogs& dialogs)
    : registry_(registry), clock_(clock), dialogs_(dialogs) {}

bool LastYearPart::save(const AccountRef& account) {
    namespace settings = platform::settings;
    if (!registry_.writeInteger(platform::Hive::CurrentUser,
                                settings::accountKey(account.user, account.account),
                                settings::kLastYear, clock_.now().year)) {
        dialogs_.fail(settingsSaveError(registry_));
        return false;
    }
    return true;
}

} // namespace ledgora
