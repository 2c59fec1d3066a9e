// Opening an account: read the file, sort by date, clean up blank rows, compute the
// balances. Registers of 10,000 to 1,000,000 operations in the usual mix (cheques, cards,
// transfers, accents, dates in random order), written once to $TMPDIR/ledgora-bench/
// and kept there, so that `ledgora-cli balance` can be measured on the same files.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchRegister.h"
#include "register/Balances.h"
#include "register/GridTextFormat.h"
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
    const ledgora::Grid reg = ledgora::bench::benchRegister(operations);
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
