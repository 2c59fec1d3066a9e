// Automatic entry of the monthly planning after an account is opened: each planned row
// that has fallen due this month and was not proposed yet is proposed once, entered at the
// end of the register on Yes (a planned transfer with its twin in the other account), and
// marked either way. The marks go stale when the account was last saved in another month.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "planning/Transfers.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "register/Grid.h"
#include "register/RegisterEdits.h"

namespace ledgora {

// When the account was last saved: "LastMonth" (0 when absent) and "LastYear" (absent in
// files of older versions, which compared the month alone).
struct LastSaved {
    int month = 0;
    std::optional<int> year;
};
LastSaved readLastSaved(const platform::Registry& registry, const std::string& user,
                        const std::string& account);

// Whether the marks belong to an earlier month than `today`'s.
bool marksAreStale(const LastSaved& saved, const platform::DateTime& today);

// The rows of `planning` due on `today` that have not been proposed, in order: a day from
// 1 to today's, no mark (all marks read as clear when `stale`), something besides the day.
std::vector<int> dueRows(const Grid& planning, const platform::DateTime& today, bool stale);

// The row's category, notes, mode, debit and credit joined by single spaces.
std::string plannedOperationText(const Grid& planning, int row);
// "Nous sommes le 15 du mois. Confirmez-vous la saisie automatique de l'opération
// mensuelle planifiée "Loyer  Chèque 500.00 " ?".
std::string entryQuestion(const Grid& planning, int row, int today);

class AutomaticEntry {
public:
    // All borrowed.
    AutomaticEntry(platform::Registry& registry, const platform::Clock& clock,
                   platform::Dialogs& dialogs, Transfers& transfers);

    // The rows run() would propose for that account today, without asking.
    std::vector<int> dueToday(const std::string& user, const std::string& account,
                              const Grid& planning) const;

    // The pass over the open account's planning; what it enters goes through `edits`.
    // Returns the number of operations entered.
    int run(const std::string& user, const std::string& account, Grid& planning,
            RegisterEdits& edits);

private:
    platform::Registry& registry_;
    const platform::Clock& clock_;
    platform::Dialogs& dialogs_;
    Transfers& transfers_;
};

} // namespace ledgora
