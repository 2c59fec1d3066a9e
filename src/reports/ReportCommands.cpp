#include "reports/ReportCommands.h"

namespace ledgora {

ReportCommands::ReportCommands(ReportedAccount& account, ReportForms& forms,
                               ReportServices services)
    : account_(account), forms_(forms), services_(services) {}

std::optional<std::string> ReportCommands::choosePeriod(PeriodUnit unit) {
    return choosePeriod(account_.prepareRegister(), unit);
}

std::optional<std::string> ReportCommands::choosePeriod(const Grid& reg, PeriodUnit unit) {
    const std::vector<std::string> choices = periodChoices(reg, unit);
    if (choices.empty()) {
        services_.dialogs.inform(kNoDateMessage);
        return std::nullopt;
    }
    const auto chosen = forms_.chooseMonthOrYear(periodChoiceCaption(unit), choices);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(choices.size())) {
        return std::nullopt;
    }
    return choices[static_cast<std::size_t>(*chosen)];
}

void ReportCommands::report(ReportId id) {
    const ReportRequest& request = reportRequest(id);
    const Grid& reg = account_.prepareRegister();
    std::string period;
    if (const auto unit = periodUnitOf(request.kind)) {
        auto chosen = choosePeriod(reg, *unit);
        if (!chosen) {
            return;
        }
        period = std::move(*chosen);
    }
    const BudgetReport report = buildReport(reg, request, period, account_.euros());
    if (report.empty()) {
        services_.dialogs.inform(std::string(noKeyMessage(request.key)));
        return;
    }
    forms_.showReport(report);
}

void ReportCommands::progression() {
    const Grid& reg = account_.prepareRegister();
    forms_.showProgression(progressionCaption(account_.caption()), account_.euros(),
                           progressionPoints(reg));
}

void ReportCommands::allBalances(bool& recapInEuro) {
    // The file is made current as the program always did; the recap itself reads the
    // open register, so even a save that failed leaves nothing typed out of it.
    account_.save();
    const AllBalances balances(
        services_.registry, services_.paths, account_.user(),
        OpenAccountGrid{account_.account(), account_.grid(), account_.euros()});
    recapInEuro = forms_.showRecap(balances, recapInEuro);
}

} // namespace ledgora
