// The last bank statement's balance as a part of the open account: kept in the account's
// settings ("BankSolde" and the remainder its conversion to euros dropped,
// "BankSoldeEcart"), converted with the account.
#pragma once

#include "banktools/Reconciliation.h"
#include "platform/Registry.h"
#include "register/AccountPart.h"

namespace ledgora {

class BankBalancePart : public AccountPart {
public:
    // Borrowed; read when an account is loaded (its save goes through PartSave).
    explicit BankBalancePart(const platform::Registry& registry);

    const StatementBalance& statement() const { return statement_; }
    double balance() const { return statement_.balance; }
    double remainder() const { return statement_.remainder; }
    void set(const StatementBalance& statement) { statement_ = statement; }

    void created(const AccountRef& account) override;
    void loaded(const AccountRef& account) override;
    void saving(const AccountRef& account, PartSave& save) override;
    // To euros the remainder is kept, so that the way back restores the francs to the
    // centime; to francs it is added back and dropped.
    void converted(const AccountRef& account, bool toEuros) override;
    void closed() override;

private:
    const platform::Registry& registry_;
    StatementBalance statement_;
};

} // namespace ledgora
