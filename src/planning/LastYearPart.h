// Beside "LastMonth", every save of an account stamps the year it was saved in, so that an
// account opened once a year in the same month still gets its scheduled operations again.
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "register/AccountPart.h"

namespace ledgora {

class LastYearPart : public AccountPart {
public:
    // All borrowed.
    LastYearPart(platform::Registry& registry, const platform::Clock& clock,
                 platform::Dialogs& dialogs);

    // Writes "LastYear"; false when the settings could not be saved (the user was told).
    bool save(const AccountRef& account) override;

private:
    platform::Registry& registry_;
    const platform::Clock& clock_;
    platform::Dialogs& dialogs_;
};

} // namespace ledgora
