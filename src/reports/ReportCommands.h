// The commands of the "&Etats et graphiques" menu: the ten reports (with the choice of a
// month or a year for the breakdowns), the balance progression and all balances. Each
// puts the register in date order first, and leaves it so.
#pragma once

#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/BudgetLimits.h"
#include "reports/PeriodChoice.h"
#include "reports/ReportForms.h"
#include "reports/ReportRequest.h"
#include "reports/ReportedAccount.h"

namespace ledgora {

struct ReportServices {
    const platform::Registry& registry;
    const platform::Paths& paths;
    platform::Dialogs& dialogs;
    // The open account's budget maxima, for the highlight of the category reports.
    const BudgetLimits& budgets;
};

class ReportCommands {
public:
    // Everything is borrowed.
    ReportCommands(ReportedAccount& account, ReportForms& forms, ReportServices services);

    // The month or year text chosen for a breakdown, after the register was prepared;
    // nothing when the user cancelled or no row has a date ("Aucune date trouvée.").
    std::optional<std::string> choosePeriod(PeriodUnit unit);

    // A report of the menu (or the toolbar's "Budget"): its window, or the message that it
    // has no key.
    void report(ReportId id);
    // "&Progression du solde...".
    void progression();
    // "&Soldes de tous les comptes...": the open account is saved, then the recap starts
    // in `recapInEuro` (the "RecapInEuro" option), which takes the choice it ends with.
    void allBalances(bool& recapInEuro);

    // What the reports highlight against.
    const BudgetLimits& budgets() const { return services_.budgets; }

private:
    std::optional<std::string> choosePeriod(const Grid& reg, PeriodUnit unit);

    ReportedAccount& account_;
    ReportForms& forms_;
    ReportServices services_;
};

} // namespace ledgora
