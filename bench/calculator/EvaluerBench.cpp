// Cost of evaluating one line: a loan equation as the rate search evaluates it over and
// over, a full-length worksheet line, and a whole page of 200 lines.
#include <benchmark/benchmark.h>
#include <string>

#include "calculator/Evalueur.h"
#include "calculator/Worksheet.h"

namespace {

void loanEquation(benchmark::State& state) {
    const char letters[] = {'x'};
    const double values[] = {0.0045};
    calculator::EvaluerOptions options;
    options.decimalSeparator = '.';
    for (auto _ : state) {
        bool syntax = false;
        benchmark::DoNotOptimize(calculator::Evaluer("100000×x÷(1-(1+x)^-240)-632.65", letters,
                                                     values, syntax, options));
    }
}
BENCHMARK(loanEquation);

void longLine(benchmark::State& state) {
    std::string line;
    while (line.size() < 230) {
        line += "SQR(2)×3,5+1÷7-";
    }
    line += "1";
    for (auto _ : state) {
        bool syntax = false;
        benchmark::DoNotOptimize(calculator::Evaluer(line, {}, {}, syntax));
    }
}
BENCHMARK(longLine);

void wholePage(benchmark::State& state) {
    std::string page;
    for (int i = 0; i < 200; ++i) {
        page += "x^2+" + std::to_string(i) + "×SIN(RAD(30))-FAC(10)÷3\n";
    }
    for (auto _ : state) {
        calculator::Worksheet sheet;
        sheet.variables()[0] = "1,5";
        sheet.setPage(page);
        benchmark::DoNotOptimize(sheet.compute());
    }
}
BENCHMARK(wholePage)->Unit(benchmark::kMillisecond);

} // namespace
