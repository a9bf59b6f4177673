// SPDX-License-Identifier: GPL-3.0-or-later
// How long the machine takes for one output: on a built-in rule, on own
// tasks' formulas of 10 to 60 characters, and for d() at the top of the
// 32-bit range; and for the draws of one click in the exercise window. The
// formula paths run on the machine's reader and on the general one.
#include "engine/draw_budget.h"
#include "engine/kolv_erkl.h"
#include "tests/engine/formula_reference.h"

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

// The two readers of a formula: the machine's own (one pass into a buffer
// that ends in the end mark), and the general reader of any text that
// EvaluateFormula is, after PrepareFormula, as the formula tests' reference
// has it.
using Reader = int32_t (*)(const Values&);
int32_t machineReader(const Values& values) {
    return MachineOutput(values);
}
int32_t generalReader(const Values& values) {
    CurrentValues = values; // what b, c, e, i, j and k read
    return KolvTest::ReferenceOutput(CurrentFormula, values[0], values[1], values[2]).Output;
}

const std::string Formulas[] = {
    "x*y+z-p+q+1",
    "abs(x-y)+s(x*y)+q",
    "(x+y)*(z-1)/(p+1)+10",
    "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+2",
    "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+d(y)+b(0)+e(0)+j(3)+1",
};

void FormulaPath(benchmark::State& state, Reader reader) {
    ResetEngineState();
    CurrentTask = 21;
    CurrentFormula = Formulas[state.range(0)];
    state.SetLabel(std::to_string(CurrentFormula.size()) + " characters");
    Values values = {1, 7, 3};
    for (auto _ : state) {
        benchmark::DoNotOptimize(reader(values));
        values[0] = values[0] % 9 + 1;
    }
}
BENCHMARK_CAPTURE(FormulaPath, Machine, machineReader)->DenseRange(0, 4);
BENCHMARK_CAPTURE(FormulaPath, GeneralReader, generalReader)->DenseRange(0, 4);

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

// The experiment's draw: the pupil has set x and y, and the machine draws z
// until the formula gives a value, at most as often as the exercise window
// tries (11 times).
void ExperimentDraw(benchmark::State& state, Reader reader, const char* formula) {
    ResetEngineState();
    SeedRandom(2026);
    CurrentTask = 21;
    CurrentFormula = formula;
    Values values = {4, 7, 0};
    for (auto _ : state) {
        for (int draw = 0; draw < 11; ++draw) {
            values[2] = RandomDigit();
            benchmark::DoNotOptimize(reader(values));
            if (!FormulaError)
                break;
        }
    }
}
const char* const AlwaysAValue = "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+2";
const char* const NoValueWhenYIsZ = "x/(y-z)+abs(x-y)*s(p+q+r)";
const char* const NeverAValue = "x/(y-y)+abs(x-y)*s(p+q+r)";
BENCHMARK_CAPTURE(ExperimentDraw, MachineAlwaysAValue, machineReader, AlwaysAValue);
BENCHMARK_CAPTURE(ExperimentDraw, MachineNoValueWhenYIsZ, machineReader, NoValueWhenYIsZ);
BENCHMARK_CAPTURE(ExperimentDraw, MachineNeverAValue, machineReader, NeverAValue);
BENCHMARK_CAPTURE(ExperimentDraw, GeneralReaderAlwaysAValue, generalReader, AlwaysAValue);
BENCHMARK_CAPTURE(ExperimentDraw, GeneralReaderNoValueWhenYIsZ, generalReader, NoValueWhenYIsZ);
BENCHMARK_CAPTURE(ExperimentDraw, GeneralReaderNeverAValue, generalReader, NeverAValue);

// The observations of one click at the window's limit: three rows of
// 20 000 draws each for a formula that never gives a value, under the
// click's draw budget.
void ObservationsWithoutValue(benchmark::State& state, Reader reader) {
    ResetEngineState();
    SeedRandom(2026);
    CurrentTask = 21;
    CurrentFormula = NeverAValue;
    for (auto _ : state) {
        DrawBudget budget(20000, std::chrono::hours(1));
        for (int row = 0; row < 3; ++row) {
            budget.NextItem();
            while (budget.Draw()) {
                FillRandomValues(ExperimentValues);
                benchmark::DoNotOptimize(reader(ExperimentValues));
                if (!FormulaError)
                    break;
            }
        }
    }
}
BENCHMARK_CAPTURE(ObservationsWithoutValue, Machine, machineReader)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ObservationsWithoutValue, GeneralReader, generalReader)
    ->Unit(benchmark::kMillisecond);

} // namespace
