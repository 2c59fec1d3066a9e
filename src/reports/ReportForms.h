// The windows the report commands open, implemented by the reports' Qt windows and by
// scripted doubles in tests. Each is modal: the call returns when the window is closed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/BudgetReport.h"
#include "reports/Progression.h"
#include "reports/Recap.h"

namespace ledgora {

class ReportForms {
public:
    virtual ~ReportForms() = default;

    // TChooseMonthOrYear: the choices, the last one preselected; the index chosen by "OK"
    // or a double click, nothing on "Annuler".
    virtual std::optional<int> chooseMonthOrYear(std::string_view caption,
                                                 const std::vector<std::string>& choices) = 0;
    // TBudget: the report's table (reportGrid, ReportLook), "Recettes :" and "Dépenses :";
    // its chart button opens TPies on reportPies(report).
    virtual void showReport(const BudgetReport& report) = 0;
    // TLines: the points, 30 a page (ProgressionPages).
    virtual void showProgression(const std::string& caption, bool euros,
                                 const std::vector<ProgressionPoint>& points) = 0;
    // TRecap: starts in euros or francs, shows balances.compute() again at each click of
    // "Francs" or "Euros", and THisto on recapChart(); returns the currency chosen when it
    // is closed (true for euros).
    virtual bool showRecap(const AllBalances& balances, bool euros) = 0;
};

} // namespace ledgora
