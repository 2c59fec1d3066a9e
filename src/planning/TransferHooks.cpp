#include "planning/TransferHooks.h"

#include "planning/SessionGridEdits.h"

namespace ledgora {

bool TransferHooks::isLinkedTransfer(const Grid& reg, int row) const {
    return links_.isLinked(reg, row);
}

void TransferHooks::transferCheck(Grid& reg, int row) {
    // The session hands its own register; a scratch grid is none of the links' business.
    if (&reg != &session_.grid()) {
        return;
    }
    SessionGridEdits edits(session_);
    links_.afterEdit(edits, row);
}

void TransferHooks::deleteTwin(const Grid& reg, int row) {
    links_.beforeRemove(reg, row);
}

} // namespace ledgora
