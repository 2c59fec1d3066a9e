// Opening an account: read the file, sort by date, clean up blank rows, compute the
// balances. Registers of 10,000 to 1,000,000 operations in the usual mix (cheques, cards,
// transfers, accents, dates in random order), written once to $TMPDIR/ledgora-bench/
// and kept there, so that `ledgora-cli balance` can be measured on the same files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "register/Amount.h"
#include "register/Balances.h"
#include "register/DateText.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace {

namespace fs = std::filesystem;

fs::path accountFileOf(int operations) {
    static const fs::path dir = fs::temp_directory_path() / "ledgora-bench";
    const fs::path file = dir / ("ops" + std::to_string(operations) + ".ldg");
    if (fs::exists(file)) {
        return file;
    }
    fs::create_directories(dir);
    static const char* kCategories[] = {"Courses",   "Loyer",  "Essence",    "Salaire",
                                        "Téléphone", "Cinéma", "Restaurant", "Pharmacie"};
    static const char* kModes[] = {"Carte de crédit", "Chèque", "Espèces", "Prélèvement",
                                   "Virement"};
    std::mt19937 rng(operations);
    ledgora::Grid reg = ledgora::makeRegister(operations + 2);
    for (int r = 1; r <= operations; ++r) {
        const int day = static_cast<int>(rng() % 28) + 1;
        const int month = static_cast<int>(rng() % 12) + 1;
        const int year = 1995 + static_cast<int>(rng() % 30);
        reg.set(r, ledgora::col::Pointage, rng() % 3 ? "X" : "");
        reg.set(r, ledgora::col::Date, ledgora::formatDate(ledgora::Date{year, month, day}));
        reg.set(r, ledgora::col::Rubrique, kCategories[rng() % 8]);
        reg.set(r, ledgora::col::Notes, rng() % 2 ? "Marché, boulangerie du coin" : "");
        const int mode = static_cast<int>(rng() % 5);
        reg.set(r, ledgora::col::ModePaiement, kModes[mode]);
        if (mode == 1) {
            reg.set(r, ledgora::col::Numero, std::to_string(1000 + r));
        }
        const std::string amount = ledgora::formatAmount((rng() % 500000) / 100.0);
        reg.set(r, rng() % 5 ? ledgora::col::Debit : ledgora::col::Credit, amount);
    }
    ledgora::recomputeBalances(reg);
    ledgora::saveGridFile(reg, file);
    return file;
}

void OpenRegister(benchmark::State& state) {
    const fs::path file = accountFileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ledgora::Grid reg;
        if (ledgora::readAccountFile(file, reg)) {
            state.SkipWithError("cannot read");
            break;
        }
        const ledgora::Balances b = ledgora::recomputeBalances(reg);
        benchmark::DoNotOptimize(b);
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
}

BENCHMARK(OpenRegister)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
