// A linked transfer's twin updated in another account of 100,000 operations (read, find,
// write; target under 0.25 s), and the automatic entry of 50 due planned rows at the end
// of a 100,000-operation register, the questions answered at once (target under 0.1 s).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "BenchRegister.h"
#include "planning/AutomaticEntry.h"
#include "planning/PlanningSheet.h"
#include "planning/Transfers.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsKeys.h"
#include "register/Balances.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace {

namespace fs = std::filesystem;
using namespace ledgora;

// Every question answered Yes, nothing recorded.
class YesDialogs final : public platform::ScriptedDialogs {
public:
    platform::Reply message(platform::MessageKind, const std::string&, platform::Buttons buttons,
                            const std::string&) override {
        return buttons == platform::Buttons::Ok ? platform::Reply::Ok : platform::Reply::Yes;
    }
};

// The register's edits over a bare grid, its balances recomputed once at the end.
class BenchEdits final : public RegisterEdits {
public:
    explicit BenchEdits(Grid& grid) : grid_(grid) {}
    ~BenchEdits() override { recomputeBalances(grid_); }
    const Grid& grid() const override { return grid_; }
    void setCell(int row, int column, std::string text) override {
        grid_.set(row, column, std::move(text));
    }
    void insertRow(int row) override {
        grid_.insertRow(row);
        for (int r = row; r < grid_.rowCount(); ++r) {
            grid_.set(r, col::Number, std::to_string(r));
        }
    }
    void removeRow(int row) override {
        grid_.removeRow(row);
        renumberRows(grid_);
    }

private:
    Grid& grid_;
};

struct Machine {
    fs::path root;
    platform::Paths paths;
    platform::Registry registry;
    platform::FixedClock clock{platform::DateTime{2024, 3, 28, 10, 0, 0}};
    YesDialogs dialogs;
    platform::RecordingSounds sounds;
    NameList categories = NameList::builtInCategories();
    NameList modes = NameList::builtInPaymentModes();
    AccountSession session{{registry, paths, clock, dialogs, sounds}, categories, modes};
    Transfers transfers{registry, paths, dialogs, sounds, session};

    explicit Machine(fs::path folder)
        : root(std::move(folder)), paths(root, root / "registry", root / "program"),
          registry(paths.registryFolder()) {
        fs::remove_all(root);
        fs::create_directories(paths.userFolder("Anne"));
        session.setUser("Anne");
        session.create("Livret", 0, false);
        session.create("Courant", 0, true);
    }
};

fs::path benchFolder(const char* name) {
    const char* tmp = std::getenv("TMPDIR");
    return fs::path(tmp != nullptr ? tmp : "/tmp") / "ledgora-bench" / name;
}

void TwinUpdateIn100000Operations(benchmark::State& state) {
    Machine m(benchFolder("transfers"));
    Grid other = ledgora::bench::benchRegister(100'000);
    const int twin = other.rowCount() - 1;
    other.insertRow(twin);
    other.set(twin, col::Date, "28/03/2024");
    other.set(twin, col::Notes, "Courant");
    other.set(twin, col::ModePaiement, "Virement");
    other.set(twin, col::Numero, "vir7");
    other.set(twin, col::Credit, "655.96");
    renumberRows(other);
    saveGridFile(other, m.paths.accountFile("Anne", "Livret"));

    Grid& reg = m.session.grid();
    reg.set(2, col::Date, "28/03/2024");
    reg.set(2, col::Notes, "Livret");
    reg.set(2, col::ModePaiement, "Virement");
    reg.set(2, col::Numero, "vir7");
    BenchEdits edits(reg);
    int amount = 100;
    for (auto _ : state) {
        reg.set(2, col::Debit, formatAmount(++amount));
        m.transfers.afterEdit(edits, 2);
    }
    fs::remove_all(m.root);
}
BENCHMARK(TwinUpdateIn100000Operations)->Unit(benchmark::kMillisecond);

void Enter50DueRowsInto100000Operations(benchmark::State& state) {
    Machine m(benchFolder("entry"));
    AutomaticEntry entry(m.registry, m.clock, m.dialogs, m.transfers);
    const Grid base = ledgora::bench::benchRegister(100'000);
    Grid planning(52, planning_col::Count);
    for (int r = 1; r <= 50; ++r) {
        planning.set(r, planning_col::Day, std::to_string(r % 28 + 1));
        planning.set(r, planning_col::Rubrique, "Loyer");
        planning.set(r, planning_col::Mode, r % 5 ? "Prélèvement" : "Virement");
        planning.set(r, planning_col::Debit, formatAmount(r * 10.5));
    }
    for (auto _ : state) {
        state.PauseTiming();
        Grid reg = base;
        for (int r = 1; r <= 50; ++r) {
            planning.set(r, planning_col::Entered, {});
        }
        state.ResumeTiming();
        {
            BenchEdits edits(reg);
            benchmark::DoNotOptimize(entry.run("Anne", "Courant", planning, edits));
        }
        state.PauseTiming();
        reg = Grid();
        state.ResumeTiming();
    }
    fs::remove_all(m.root);
}
BENCHMARK(Enter50DueRowsInto100000Operations)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
