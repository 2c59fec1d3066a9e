// One cell edit on an open register of 100,000 or 1,000,000 operations, from the typed
// text to the observers' notification: validation, balances, monthly spending, the
// events. The arguments are the register's size and the edited row (near the top, in the
// middle, the last operation). EditOneCellKept does the same with a history keeping each
// edit's command, as an undo stack would.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchRegister.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sounds.h"
#include "register/AccountSession.h"
#include "register/NameList.h"
#include "register/RegisterColumns.h"
#include "register/RegisterHistory.h"

namespace {

namespace fs = std::filesystem;
using namespace ledgora;

// Counts what a view would be told.
class CountingView : public RegisterObserver {
public:
    int cells = 0;
    int balances = 0;
    void cellsChanged(int, int, int) override { ++cells; }
    void balancesChanged(int) override { ++balances; }
};

// Keeps the last commands, as a bounded undo stack would.
class KeptCommands : public RegisterHistory {
public:
    void done(RegisterCommand command) override {
        if (commands_.size() == 100) {
            commands_.erase(commands_.begin());
        }
        commands_.push_back(std::move(command));
    }
    void forgetAll() override { commands_.clear(); }

private:
    std::vector<RegisterCommand> commands_;
};

void edit(benchmark::State& state, RegisterHistory* history) {
    const fs::path root = fs::temp_directory_path() / "ledgora-bench" / "cell-edit";
    fs::remove_all(root);
    platform::Paths paths{root, root / "registry", root / "program"};
    fs::create_directories(paths.userFolder("Anne"));
    platform::Registry registry{paths.registryFolder()};
    platform::FixedClock clock{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    platform::ScriptedDialogs dialogs;
    platform::RecordingSounds sounds;
    NameList categories = NameList::builtInCategories();
    NameList modes = NameList::builtInPaymentModes();
    AccountSession session{{registry, paths, clock, dialogs, sounds}, categories, modes};
    session.setUser("Anne");
    session.setSoundsOn(false);
    if (!session.create("Gros", 0, true)) {
        state.SkipWithError("cannot create the account");
        return;
    }
    session.grid() = bench::benchRegister(static_cast<int>(state.range(0)));
    session.registerRewritten();
    CountingView view;
    session.addObserver(&view);
    session.setHistory(history);

    const int row = static_cast<int>(state.range(1));
    bool flip = false;
    for (auto _ : state) {
        session.validateCell(row, col::Debit, flip ? "12,50" : "13,50");
        flip = !flip;
    }
    if (view.cells == 0 || view.balances == 0) {
        state.SkipWithError("no view was told");
    }
    session.removeObserver(&view);
    session.setHistory(nullptr);
    fs::remove_all(root);
}

void EditOneCell(benchmark::State& state) {
    edit(state, nullptr);
}

void EditOneCellKept(benchmark::State& state) {
    KeptCommands history;
    edit(state, &history);
}

void EditRows(benchmark::internal::Benchmark* b) {
    for (const int operations : {100'000, 1'000'000}) {
        for (const int row : {2, operations / 2, operations}) {
            b->Args({operations, row});
        }
    }
}

BENCHMARK(EditOneCell)->Apply(EditRows)->Unit(benchmark::kMillisecond);
BENCHMARK(EditOneCellKept)->Apply(EditRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
