// Linked transfers between two accounts of the user: the row typed in the open account and
// its twin written straight into the other account's file, both carrying "vir" + n. The
// register consults this through TransferLinks; automatic entry writes the twins of the
// planned transfers it enters. Nothing is held between calls: every step reads the other
// account's file again, and a file that cannot be read is never written.
#pragma once

#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Sounds.h"
#include "register/AccountSession.h"
#include "register/TransferLinks.h"

namespace ledgora {

class Transfers : public TransferLinks {
public:
    // All borrowed; `session` tells the open account, its user and its currency.
    Transfers(platform::Registry& registry, const platform::Paths& paths,
              platform::Dialogs& dialogs, platform::Sounds& sounds, const AccountSession& session);

    // The user has more than one account, the row is a transfer, its numero is "vir" + n
    // and its notes name one of the user's accounts.
    bool isLinked(const Grid& reg, int row) const override;
    // After an edit of the row's amount, category or mode: a linked row's twin gets its
    // date and amount ("Virement mis à jour !"); an unlinked transfer asks where it goes.
    void afterEdit(RegisterEdits& edits, int row) override;
    // Removes a linked row's twin from the other account ("Virement supprimé !").
    void beforeRemove(const Grid& reg, int row) override;

    // Automatic entry's step for the row it just entered: a transfer whose notes name
    // another account of the user gets its twin there ("Virement effectué !" when it has an
    // amount); any other row stays a plain operation.
    void enterPlanned(RegisterEdits& edits, int row);

    // The account's "lastnumvir" (0 when absent).
    long long lastNumber(const std::string& account) const;

private:
    std::vector<std::string> accounts() const;
    // Reads the other account into `scratch`; false (the message shown) when it cannot be.
    bool loadOther(const std::string& account, Grid& scratch) const;
    bool saveOther(const std::string& account, const Grid& scratch) const;
    // A new number for a link with `other`, its twin, and the counters of both accounts.
    bool link(RegisterEdits& edits, int row, const std::string& other);
    bool writeTwin(RegisterEdits& edits, int row, long long n, const std::string& other);
    void updateTwin(RegisterEdits& edits, int row, long long n, const std::string& other);
    void storeNumber(const std::string& account, long long n);
    void tell(const char* text);
    bool otherInEuros(const std::string& account) const;

    platform::Registry& registry_;
    const platform::Paths& paths_;
    platform::Dialogs& dialogs_;
    platform::Sounds& sounds_;
    const AccountSession& session_;
};

} // namespace ledgora
