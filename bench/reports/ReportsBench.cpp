// The reports on a register of 100,000 operations (target: under 30 ms each), the balances
// of 10 such accounts (target: under 1.5 s), and the budget maximum the register's colours
// and the reports ask for each cell.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "BenchRegister.h"
#include "planning/BudgetAlarm.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"
#include "register/RegisterRows.h"
#include "reports/BudgetReport.h"
#include "reports/PeriodChoice.h"
#include "reports/Progression.h"
#include "reports/Recap.h"
#include "reports/ReportedAccount.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// The register of an account of 100,000 operations as opening it leaves it (read from its
// file, in date order), then made ready for a first report.
const ledgora::Grid& preparedRegister() {
    static const ledgora::Grid reg = [] {
        const fs::path folder = fs::temp_directory_path() / "ledgora-bench" / "reports";
        fs::create_directories(folder);
        const fs::path file = folder / "Compte.ldg";
        if (!fs::exists(file)) {
            ledgora::saveGridFile(ledgora::bench::benchRegister(100'000), file);
        }
        ledgora::Grid g;
        if (auto error = ledgora::readAccountFile(file, g)) {
            std::fprintf(stderr, "%s\n", error->c_str());
            std::exit(1);
        }
        ledgora::prepareForReports(g);
        return g;
    }();
    return reg;
}

void Report(benchmark::State& state) {
    const ledgora::Grid& reg = preparedRegister();
    const ledgora::ReportRequest& request =
        ledgora::kReportRequests[static_cast<std::size_t>(state.range(0))];
    std::string period;
    if (const auto unit = ledgora::periodUnitOf(request.kind)) {
        period = ledgora::periodChoices(reg, *unit).back();
    }
    for (auto _ : state) {
        const ledgora::BudgetReport report = ledgora::buildReport(reg, request, period, true);
        benchmark::DoNotOptimize(report.receipts);
    }
    state.SetLabel(std::string(request.captionBefore) + period + std::string(request.captionAfter));
}
BENCHMARK(Report)->DenseRange(0, ledgora::kReportCount - 1)->Unit(benchmark::kMillisecond);

// A report as the menu runs it: the register made ready again (already in date order
// after the first report), then the report built.
void MenuReport(benchmark::State& state) {
    static ledgora::Grid reg = preparedRegister();
    const ledgora::ReportRequest& request =
        ledgora::kReportRequests[static_cast<std::size_t>(state.range(0))];
    std::string period;
    if (const auto unit = ledgora::periodUnitOf(request.kind)) {
        period = ledgora::periodChoices(reg, *unit).back();
    }
    for (auto _ : state) {
        ledgora::prepareForReports(reg);
        const ledgora::BudgetReport report = ledgora::buildReport(reg, request, period, true);
        benchmark::DoNotOptimize(report.receipts);
    }
}
BENCHMARK(MenuReport)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

// The first report after many rows were typed out of date order: the register as the
// generator wrote it, row by row in random date order, made ready (sorted: the timed
// preparation, with `state.range(1)`) and reported.
void FirstReportAfterTypedRows(benchmark::State& state) {
    static const ledgora::Grid typed = ledgora::bench::benchRegister(100'000);
    const ledgora::ReportRequest& request =
        ledgora::kReportRequests[static_cast<std::size_t>(state.range(0))];
    const bool timedPreparation = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        ledgora::Grid reg = typed;
        if (timedPreparation) {
            state.ResumeTiming();
        }
        ledgora::prepareForReports(reg);
        if (!timedPreparation) {
            state.ResumeTiming();
        }
        const ledgora::BudgetReport report = ledgora::buildReport(reg, request, {}, true);
        benchmark::DoNotOptimize(report.receipts);
        state.PauseTiming();
        reg = ledgora::Grid();
        state.ResumeTiming();
    }
}
BENCHMARK(FirstReportAfterTypedRows)->ArgsProduct({{0, 5}, {0, 1}})->Unit(benchmark::kMillisecond);

// What a report does before it builds: the date order (already in place after the first
// report), the blank rows, the numbers and the balances.
void PrepareSortedRegister(benchmark::State& state) {
    ledgora::Grid reg = preparedRegister();
    for (auto _ : state) {
        ledgora::prepareForReports(reg);
    }
}
BENCHMARK(PrepareSortedRegister)->Unit(benchmark::kMillisecond);

void MonthChoices(benchmark::State& state) {
    const ledgora::Grid& reg = preparedRegister();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ledgora::periodChoices(reg, ledgora::PeriodUnit::Month));
    }
}
BENCHMARK(MonthChoices)->Unit(benchmark::kMillisecond);

void ProgressionPoints(benchmark::State& state) {
    const ledgora::Grid& reg = preparedRegister();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ledgora::progressionPoints(reg));
    }
}
BENCHMARK(ProgressionPoints)->Unit(benchmark::kMillisecond);

// Ten accounts of 100,000 operations, every other one kept in francs, written once to
// $TMPDIR/ledgora-bench/recap/.
struct RecapInstallation {
    fs::path root = fs::temp_directory_path() / "ledgora-bench" / "recap";
    platform::Paths paths{root, root / "registry", root / "program"};
    platform::Registry registry{paths.registryFolder()};

    RecapInstallation() {
        fs::create_directories(paths.userFolder("Anne"));
        for (int i = 0; i < 10; ++i) {
            const std::string account = "Compte " + std::to_string(i);
            const fs::path file = paths.accountFile("Anne", account);
            if (!fs::exists(file)) {
                ledgora::saveGridFile(ledgora::bench::benchRegister(100'000 + i), file);
            }
            registry.writeBool(platform::Hive::CurrentUser,
                               platform::settings::accountKey("Anne", account),
                               platform::settings::kEuro, i % 2 == 0);
        }
    }
};

void RecapOfTenAccounts(benchmark::State& state) {
    static RecapInstallation installation;
    const bool euros = state.range(0) != 0;
    for (auto _ : state) {
        const ledgora::AllBalances all(installation.registry, installation.paths, "Anne");
        const ledgora::Recap recap = all.compute(euros);
        benchmark::DoNotOptimize(recap.total);
    }
    state.SetLabel(euros ? "in euros" : "in francs");
}
BENCHMARK(RecapOfTenAccounts)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// One category's maximum, read from the settings store as the colour rules ask for it.
void MonthlyMaximum(benchmark::State& state) {
    static RecapInstallation installation;
    platform::ScriptedDialogs dialogs;
    platform::RecordingSounds sounds;
    ledgora::BudgetAlarm alarm(installation.registry, installation.paths, sounds, dialogs,
                               [] { return false; });
    alarm.setAccount("Anne", "Compte 0");
    ledgora::BudgetStore(installation.registry, "Anne", "Compte 0")
        .replaceAll({{"Courses", "100.00", ""}, {"Loyer", "700.00", ""}});
    for (auto _ : state) {
        benchmark::DoNotOptimize(alarm.monthlyMaximum("Courses"s));
    }
}
BENCHMARK(MonthlyMaximum);

} // namespace

BENCHMARK_MAIN();
