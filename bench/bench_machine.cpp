// SPDX-License-Identifier: GPL-3.0-or-later
// How long the machine takes for one output: on a built-in rule, on own
// tasks' formulas of 10 to 60 characters, and for d() at the top of the
// 32-bit range.
#include "engine/kolv_erkl.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace KolvErkl;

namespace {

void BuiltInRule(benchmark::State& state) {
    ResetEngineState();
    CurrentTask = static_cast<int32_t>(state.range(0));
    int32_t x = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MachineOutput(x, 7, 3));
        x = x % 9 + 1;
    }
}
BENCHMARK(BuiltInRule)->Arg(1)->Arg(18)->Arg(20);

const std::string Formulas[] = {
    "x*y+z-p+q+1",
    "abs(x-y)+s(x*y)+q",
    "(x+y)*(z-1)/(p+1)+10",
    "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+2",
    "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+d(y)+b(0)+e(0)+j(3)+1",
};

void FormulaPath(benchmark::State& state) {
    ResetEngineState();
    CurrentTask = 21;
    CurrentFormula = Formulas[state.range(0)];
    state.SetLabel(std::to_string(CurrentFormula.size()) + " characters");
    int32_t x = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MachineOutput(x, 7, 3));
        x = x % 9 + 1;
    }
}
BENCHMARK(FormulaPath)->DenseRange(0, 4);

// One own-task formula on the same values, time and again.
void OwnFormula(benchmark::State& state, const char* formula) {
    ResetEngineState();
    CurrentTask = 21;
    CurrentFormula = formula;
    for (auto _ : state)
        benchmark::DoNotOptimize(MachineOutput(1, 2, 3));
}
BENCHMARK_CAPTURE(OwnFormula, NextPrimeAtTheTop, "s(d(2147483000))")->Unit(benchmark::kMicrosecond);
// A formula from a file made outside the program: four primes near the top
// of the range and never a value, for which a window draws up to 20 000
// values before it gives up.
BENCHMARK_CAPTURE(OwnFormula, CostlyFormulaWithoutValue,
                  "d(2114305601)-d(2114305601)+d(1948819133)-d(1948819133)/0")
    ->Unit(benchmark::kMicrosecond);

} // namespace
