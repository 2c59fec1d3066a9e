// The register's hooks answered by the linked transfers, for a session that still asks
// RegisterHooks: the lock, the check after an edit and the twin's removal go to
// TransferLinks through the session's own edit surface; budgets keep the defaults. Goes
// once the session takes TransferLinks itself.
#pragma once

#include "register/AccountSession.h"
#include "register/RegisterHooks.h"
#include "register/TransferLinks.h"

namespace ledgora {

class TransferHooks final : public RegisterHooks {
public:
    // Both borrowed; `session` is the one these hooks are set on.
    TransferHooks(AccountSession& session, TransferLinks& links)
        : session_(session), links_(links) {}

    bool isLinkedTransfer(const Grid& reg, int row) const override;
    void transferCheck(Grid& reg, int row) override;
    void deleteTwin(const Grid& reg, int row) override;

private:
    AccountSession& session_;
    TransferLinks& links_;
};

} // namespace ledgora
