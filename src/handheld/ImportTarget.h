// What the import from the handheld changes in the open account: its register, its
// display currency and its validation switch. The open account implements it (see
// SessionImportTarget); the import never knows more of it.
#pragma once

#include "register/Grid.h"

namespace ledgora {

class ImportTarget {
public:
    virtual ~ImportTarget() = default;

    virtual Grid& grid() = 0;
    // Shows the account in euros or in francs, as the currency commands do.
    virtual void setCurrency(bool euros) = 0;
    // The validation switch: off while the import writes cells.
    virtual void setValidating(bool on) = 0;
    // After the import rewrote the register: balances and views follow it.
    virtual void registerReplaced() = 0;
};

} // namespace ledgora
