// What the register asks of the linked transfers between a user's accounts, without
// depending on them. The default is the register on its own: nothing is linked.
#pragma once

#include "register/Grid.h"
#include "register/RegisterEdits.h"

namespace ledgora {

class TransferLinks {
public:
    virtual ~TransferLinks() = default;

    // A linked row's "numero" and "notes" are locked. Row -1 is never linked.
    virtual bool isLinked(const Grid& /*reg*/, int /*row*/) const { return false; }
    // After an edit of `row`'s amount, category or mode; what it changes goes through
    // `edits`.
    virtual void afterEdit(RegisterEdits& /*edits*/, int /*row*/) {}
    // Before `row` is removed (its twin in the other account goes first).
    virtual void beforeRemove(const Grid& /*reg*/, int /*row*/) {}
};

} // namespace ledgora
