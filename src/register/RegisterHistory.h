// Where the open account hands each finished edit of its register, with what it takes to
// revert it: the seat of an undo stack. Without one, nothing is kept.
#pragma once

#include "register/RegisterCommand.h"

namespace ledgora {

class RegisterHistory {
public:
    virtual ~RegisterHistory() = default;

    // An edit that changed the register, once its observers were told.
    virtual void done(RegisterCommand command) = 0;
    // The register was replaced or converted other than by an edit (load, creation, close,
    // import, currency): the commands kept so far can no longer be reverted.
    virtual void forgetAll() = 0;
};

} // namespace ledgora
