// SPDX-License-Identifier: GPL-3.0-or-later
// The machine: the output of the task in use for a set of values, by one of
// the 40 built-in rules or by the task's formula.
#include "engine/formula.h"
#include "engine/kolv_erkl.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace KolvErkl {

namespace {

// The rules are made for values 1..9, where every output lies in 0..162.
// They compute in 64 bits; values this large or larger, which no experiment
// produces, give the invalid output instead of an overflow.
constexpr int64_t RuleValueLimit = int64_t{1} << 20;

struct RuleValues {
    int64_t x, y, z;
    int64_t p, q, r; // smallest, middle, largest
};
using Rule = int64_t (*)(const RuleValues&);

// x, y; p smallest, r largest.
constexpr std::array<Rule, BuiltInTasks> TwoVariableRules = {
    [](const RuleValues& v) { return v.x + v.y; },
    [](const RuleValues& v) { return v.r; },
    [](const RuleValues& v) { return v.p + 1; },
    [](const RuleValues& v) { return 10 - v.r; },
    [](const RuleValues& v) { return (v.x + v.y) % 2; },
    [](const RuleValues& v) { return (v.r - 1) * v.p; },
    [](const RuleValues& v) { return 2 * v.p; },
    [](const RuleValues& v) { return v.x + v.p; },
    [](const RuleValues& v) { return v.y + v.r; },
    [](const RuleValues& v) { return v.x * (v.x - 1); },
    [](const RuleValues& v) { return v.r * (v.r - 1); },
    [](const RuleValues& v) { return 2 * v.x + v.y; },
    [](const RuleValues& v) { return v.r - v.p; },
    [](const RuleValues& v) { return 2 * v.r - v.p; },
    [](const RuleValues& v) { return v.x + v.y + 7; },
    [](const RuleValues& v) { return (v.x + v.y) % 3; },
    [](const RuleValues& v) { return (v.x * v.y) % 10; },
    [](const RuleValues& v) { return 2 * v.x + 3 * v.y; },
    [](const RuleValues& v) { return v.x + 10 * v.y; },
    // 1 when x > y, else 0.
    [](const RuleValues& v) -> int64_t { return v.r != 0 ? v.x / v.r - v.p / v.r : InvalidOutput; },
};

// x, y, z; p smallest, q middle, r largest.
constexpr std::array<Rule, BuiltInTasks> ThreeVariableRules = {
    [](const RuleValues& v) { return v.x + v.y + v.z; },
    [](const RuleValues& v) { return v.r - v.p; },
    [](const RuleValues& v) { return v.p + v.q; },
    [](const RuleValues& v) { return 10 - v.x; },
    [](const RuleValues& v) { return (v.x + v.y + v.z) % 10; },
    [](const RuleValues& v) { return v.r - v.q; },
    [](const RuleValues& v) { return v.p * v.r; },
    [](const RuleValues& v) { return v.x * v.y + v.z; },
    [](const RuleValues& v) { return std::abs(v.x - v.y) + std::abs(v.y - v.z); },
    [](const RuleValues& v) { return 10 - v.p; },
    [](const RuleValues& v) { return (v.x + v.y) * v.z; },
    [](const RuleValues& v) { return v.x * v.z + v.y; },
    [](const RuleValues& v) { return 13 - v.r; },
    [](const RuleValues& v) { return v.x * v.x + v.y * v.y; },
    [](const RuleValues& v) { return (v.x + v.y + v.z) / 2; },
    [](const RuleValues& v) { return std::abs(v.x - v.y) * std::abs(v.y - v.z); },
    [](const RuleValues& v) { return v.x + 2 * v.y + 3 * v.z; },
    [](const RuleValues& v) { return std::abs(v.p - v.q) * std::abs(v.r - v.q); },
    [](const RuleValues& v) { return 3 * v.p + 2 * v.q + v.r; },
    [](const RuleValues& v) { return (v.x * v.y * v.z) % 10; },
};

bool WithinRuleLimit(int64_t value) {
    return std::abs(value) < RuleValueLimit;
}

int32_t BuiltInOutput(int32_t x, int32_t y, int32_t z) {
    if (CurrentTask < 1 || CurrentTask > BuiltInTasks)
        return InvalidOutput;
    const bool three = NumberOfVariables == 3;
    // With 2 variables z is no part of the experiment and no rule reads it.
    if (!WithinRuleLimit(x) || !WithinRuleLimit(y) || (three && !WithinRuleLimit(z)))
        return InvalidOutput;
    const Statistics stats = ValueStatistics(x, y, z);
    const RuleValues values{x, y, z, stats.Smallest, stats.Middle, stats.Largest};
    const Rule rule = (three ? ThreeVariableRules : TwoVariableRules)[CurrentTask - 1];
    const int64_t output = rule(values);
    return IsValidOutput(output) ? static_cast<int32_t>(output) : InvalidOutput;
}

int32_t FormulaOutput(int32_t x, int32_t y, int32_t z) {
    std::string_view formula;
    if (CurrentTask > BuiltInTasks) {
        formula = CurrentFormula;
    } else {
        // An extra task in force (numbered 1..20) brings its own number of
        // variables.
        const ExtraTask& task = ExtraTasks[CurrentTask];
        NumberOfVariables = task.VariableCount;
        formula = task.Formula;
    }

    // The statistics under the number of variables now in force. A refused
    // letter raises FormulaError with position 0: nothing was evaluated.
    const FormulaValue result = PrepareAndEvaluate(formula, x, y, z, ValueStatistics(x, y, z));
    LastErrorPosition = result.ErrorPosition;
    if (result.ErrorPosition != 0 || FormulaError)
        return InvalidOutput;
    if (!IsValidOutput(result.Value))
        return InvalidOutput;
    return static_cast<int32_t>(RoundHalfEven(result.Value));
}

} // namespace

bool ExtraTaskInForce() {
    return ExtraTaskMode && NumberOfVariables == 3 && CurrentTask >= 1 &&
           CurrentTask <= BuiltInTasks;
}

int32_t MachineOutput(int32_t x, int32_t y, int32_t z) {
    CurrentValues = {x, y, z};
    FormulaError = false;
    LastErrorPosition = 0;
    // In extra-task mode the extra tasks stand in for the 3-variable rules;
    // the 2-variable rules stay in force.
    if (CurrentTask > BuiltInTasks || ExtraTaskInForce())
        return FormulaOutput(x, y, z);
    return BuiltInOutput(x, y, z);
}

} // namespace KolvErkl
