// The open account (AccountSession) as the import from the handheld sees it.
#pragma once

#include "handheld/ImportTarget.h"
#include "register/AccountSession.h"

namespace ledgora {

class SessionImportTarget : public ImportTarget {
public:
    explicit SessionImportTarget(AccountSession& session) : session_(session) {}

    Grid& grid() override { return session_.grid(); }
    void setCurrency(bool euros) override;
    void setValidating(bool on) override { session_.setValidating(on); }
    void registerReplaced() override { session_.registerRewritten(); }

private:
    AccountSession& session_;
};

} // namespace ledgora
