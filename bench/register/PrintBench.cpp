// The register's printout into a PDF file on a register of 100,000 operations: every page,
// with the budget maxima checked by the look (target under 5 s).
#include <benchmark/benchmark.h>

#include <filesystem>

#include <QGuiApplication>

#include "BenchRegister.h"
#include "platform/Clock.h"
#include "register/BudgetLimits.h"
#include "register/MonthlySpending.h"
#include "register/PrintSettings.h"
#include "register/RegisterLook.h"
#include "ui/GridPrinter.h"

namespace {

class BudgetHooks : public ledgora::BudgetLimits {
public:
    ledgora::Cents monthlyMaximum(const std::string& category) const override {
        return category == "Courses" ? 50'000 : 0;
    }
};

void PrintToPdf(benchmark::State& state) {
    const ledgora::Grid grid = ledgora::bench::benchRegister(static_cast<int>(state.range(0)));
    BudgetHooks hooks;
    ledgora::MonthlySpending spending;
    spending.rebuild(grid);
    const ledgora::RegisterLook look(hooks, &spending);
    const platform::SystemClock clock;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "ledgora-bench";
    std::filesystem::create_directories(dir);
    const QString file = QString::fromStdString((dir / "print.pdf").string());
    int pages = 0;
    for (auto _ : state) {
        GridPrinter printer(grid, look, ledgora::registerPrintSettings("Ledgora - Banc", false),
                            clock);
        if (!printer.printToPdf(file, [&](int done, int) { pages = done; })) {
            state.SkipWithError("cannot write");
            break;
        }
    }
    state.counters["pages"] = pages;
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(dir / "print.pdf")) / 1e6;
}

BENCHMARK(PrintToPdf)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
