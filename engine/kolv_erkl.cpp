// SPDX-License-Identifier: GPL-3.0-or-later
// The engine state, the program's one random generator and the drawing of
// experiment values.
#include "engine/kolv_erkl.h"

#include <algorithm>
#include <vector>

namespace KolvErkl {

int32_t NumberOfVariables = 3;
int32_t CurrentTask = 0;
bool ExtraTaskMode = false;
std::array<ExtraTask, ExtraTaskCount + 1> ExtraTasks{};
Values ExperimentValues{};
Values CurrentValues{};
int32_t SmallestValue = 0, MiddleValue = 0, LargestValue = 0;
bool FormulaError = false;
std::string CurrentFormula;
int32_t LastErrorPosition = 0;

void ResetEngineState() {
    NumberOfVariables = 3;
    CurrentTask = 0;
    ExtraTaskMode = false;
    ExtraTasks.fill(ExtraTask{});
    ExperimentValues = {};
    CurrentValues = {};
    SmallestValue = MiddleValue = LargestValue = 0;
    FormulaError = false;
    CurrentFormula.clear();
    LastErrorPosition = 0;
}

namespace {

std::vector<void (*)()>& StateResets() {
    static std::vector<void (*)()> resets;
    return resets;
}

} // namespace

void ResetProgramState() {
    ResetEngineState();
    for (void (*reset)() : StateResets())
        reset();
}

bool RegisterStateReset(void (*reset)()) {
    StateResets().push_back(reset);
    return true;
}

std::mt19937& RandomGenerator() {
    static std::mt19937 generator;
    return generator;
}

void SeedRandom(uint32_t seed) {
    RandomGenerator().seed(seed);
}

int32_t RandomDigit() {
    std::uniform_int_distribution<int32_t> zeroToEight(0, 8);
    return zeroToEight(RandomGenerator()) + 1;
}

void FillRandomValues(Values& values) {
    // Only the values of the experiment are drawn: with 2 variables z keeps
    // what it held.
    const int count = std::clamp<int32_t>(NumberOfVariables, 0, 3);
    for (int i = 0; i < count; ++i)
        values[i] = RandomDigit();
}

int32_t MaxInt(int32_t a, int32_t b) {
    return b > a ? b : a;
}

} // namespace KolvErkl
