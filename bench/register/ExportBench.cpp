// The register's export in each of the five formats on a register of 100,000 operations,
// with a monthly maximum on one category so that the look checks the budget: the bytes
// alone, and the whole export to a file (atomic write included).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchRegister.h"
#include "register/BudgetLimits.h"
#include "register/ExportFormats.h"
#include "register/MonthlySpending.h"
#include "register/RegisterLook.h"

namespace {

namespace fs = std::filesystem;

class BudgetHooks : public ledgora::BudgetLimits {
public:
    ledgora::Cents monthlyMaximum(const std::string& category) const override {
        return category == "Courses" ? 50'000 : 0;
    }
};

struct Fixture {
    ledgora::Grid grid;
    BudgetHooks hooks;
    ledgora::MonthlySpending spending;
    ledgora::RegisterLook look{hooks, &spending};
    explicit Fixture(int operations) : grid(ledgora::bench::benchRegister(operations)) {
        spending.rebuild(grid);
    }
};

const Fixture& fixture() {
    static const Fixture f(100'000);
    return f;
}

ledgora::ExportFormat formatOf(const benchmark::State& state) {
    return *ledgora::exportFormatOfIndex(static_cast<int>(state.range(0)));
}

void ExportBytes(benchmark::State& state) {
    const Fixture& f = fixture();
    const ledgora::ExportFormat format = formatOf(state);
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string bytes = ledgora::exportBytes(format, f.grid, f.look);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetLabel(std::string(ledgora::exportFilter(format).extension));
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

void ExportFile(benchmark::State& state) {
    const Fixture& f = fixture();
    const ledgora::ExportFormat format = formatOf(state);
    const fs::path dir = fs::temp_directory_path() / "ledgora-bench";
    fs::create_directories(dir);
    const fs::path file = dir / ("export." + std::string(ledgora::exportFilter(format).extension));
    for (auto _ : state) {
        if (ledgora::exportGrid(format, f.grid, f.look, file)) {
            state.SkipWithError("cannot write");
            break;
        }
    }
    state.SetLabel(std::string(ledgora::exportFilter(format).extension));
}

BENCHMARK(ExportBytes)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportFile)->DenseRange(1, 5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
