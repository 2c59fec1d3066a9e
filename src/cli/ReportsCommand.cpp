#include <charconv>
#include <ostream>

#include "cli/Commands.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/SettingsKeys.h"
#include "register/AccountNames.h"
#include "register/RegisterRows.h"
#include "reports/BudgetReport.h"
#include "reports/PeriodChoice.h"
#include "reports/Recap.h"

namespace cli {
namespace {

constexpr const char* kReportUsage =
    "usage: ledgora-cli report FILE.ldg --by category|mode --period "
    "average-month|average-year|all|month:MM/YYYY|year:YYYY\n";
constexpr const char* kBalancesUsage = "usage: ledgora-cli balances [--euros|--francs]\n";

std::optional<int> number(std::string_view text, int low, int high) {
    int v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || v < low ||
        v > high) {
        return std::nullopt;
    }
    return v;
}

struct ReportArgs {
    std::string file;
    ledgora::ReportId id = ledgora::ReportId::MonthlyAverageByCategory;
    std::string period; // the month or year text of a breakdown
};

// The report of `period` by `byMode`: the menu item the window would be opened from.
std::optional<ReportArgs> parseReport(const Args& args) {
    using ledgora::ReportId;
    if (args.size() != 5) {
        return std::nullopt;
    }
    ReportArgs r;
    r.file = args[0];
    std::optional<bool> byMode;
    std::optional<std::string> period;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--by" && !byMode && (args[i + 1] == "category" || args[i + 1] == "mode")) {
            byMode = args[i + 1] == "mode";
        } else if (args[i] == "--period" && !period) {
            period = args[i + 1];
        } else {
            return std::nullopt;
        }
    }
    if (!byMode || !period) {
        return std::nullopt;
    }
    const auto pick = [&](ReportId category, ReportId mode) { return *byMode ? mode : category; };
    const std::string& p = *period;
    if (p == "average-month") {
        r.id = pick(ReportId::MonthlyAverageByCategory, ReportId::MonthlyAverageByMode);
    } else if (p == "average-year") {
        r.id = pick(ReportId::YearlyAverageByCategory, ReportId::YearlyAverageByMode);
    } else if (p == "all") {
        r.id = pick(ReportId::WholeAccountByCategory, ReportId::WholeAccountByMode);
    } else if (p.rfind("month:", 0) == 0) {
        const std::string_view value = std::string_view(p).substr(6);
        const std::size_t slash = value.find('/');
        if (slash == std::string_view::npos) {
            return std::nullopt;
        }
        const auto month = number(value.substr(0, slash), 1, 12);
        const auto year = number(value.substr(slash + 1), 1, 9998);
        if (!month || !year) {
            return std::nullopt;
        }
        r.id = pick(ReportId::MonthByCategory, ReportId::MonthByMode);
        r.period = ledgora::periodText(ledgora::PeriodUnit::Month, {*year, *month, 1});
    } else if (p.rfind("year:", 0) == 0) {
        const auto year = number(std::string_view(p).substr(5), 1, 9998);
        if (!year) {
            return std::nullopt;
        }
        r.id = pick(ReportId::YearByCategory, ReportId::YearByMode);
        r.period = std::to_string(*year);
    } else {
        return std::nullopt;
    }
    return r;
}

} // namespace

int runReport(const Args& args, std::ostream& out, std::ostream& err) {
    const auto request = parseReport(args);
    if (!request) {
        err << kReportUsage;
        return 2;
    }
    ledgora::Grid reg;
    if (auto error = ledgora::readAccountFile(request->file, reg)) {
        err << *error << '\n';
        return 1;
    }
    const ledgora::ReportRequest& kind = ledgora::reportRequest(request->id);
    const ledgora::BudgetReport report = ledgora::buildReport(reg, kind, request->period, true);
    if (report.empty()) {
        err << ledgora::noKeyMessage(kind.key) << '\n';
        return 1;
    }
    for (const ledgora::ReportLine& line : report.lines) {
        out << line.key << '\t' << ledgora::formatCents(line.total) << '\n';
    }
    out << ledgora::kReceiptsLabel << '\t' << ledgora::formatCents(report.receipts) << '\n'
        << ledgora::kExpensesLabel << '\t' << ledgora::formatCents(report.expenses) << '\n';
    return 0;
}

int runBalances(const Args& args, std::ostream& out, std::ostream& err) {
    namespace settings = platform::settings;
    if (args.size() > 1 || (args.size() == 1 && args[0] != "--euros" && args[0] != "--francs")) {
        err << kBalancesUsage;
        return 2;
    }
    const platform::Paths paths = platform::Paths::fromEnvironment({});
    const platform::Registry registry(paths.registryFolder());
    // The user the program's user chooser would preselect.
    const std::vector<std::string> users = ledgora::listUsers(paths);
    if (users.empty()) {
        err << "no user in " << paths.dataFolder().string() << '\n';
        return 1;
    }
    const int index = registry.readInteger(platform::Hive::CurrentUser, settings::optionsKey(),
                                           settings::kChooseUserIndex, -1);
    const std::string& user =
        users[index >= 0 && index < static_cast<int>(users.size()) ? index : 0];
    const bool euros = args.empty()
                           ? registry.readBool(platform::Hive::CurrentUser, settings::optionsKey(),
                                               settings::kRecapInEuro, true)
                           : args[0] == "--euros";

    const ledgora::Recap recap = ledgora::AllBalances(registry, paths, user).compute(euros);
    for (const std::string& problem : recap.problems) {
        err << problem << '\n';
    }
    for (const ledgora::RecapRow& row : recap.rows) {
        out << row.account << '\t' << (row.balance ? ledgora::formatCents(*row.balance) : "")
            << '\n';
    }
    std::string_view label = ledgora::kGeneralBalanceLabel;
    label.remove_suffix(1); // the window's label ends with the space before its figure
    out << label << '\t' << ledgora::formatCents(recap.total) << '\n';
    return recap.problems.empty() ? 0 : 1;
}

} // namespace cli
