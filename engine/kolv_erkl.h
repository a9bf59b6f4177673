// SPDX-License-Identifier: GPL-3.0-or-later
// The shared state of the rule engine and the operations on it.
//
// Kolvane keeps one small set of plain global state: which task is in use,
// how many variables it has, the experiment values and what the formula path
// hands from one step to the next. The windows read and write it directly.
// Nothing here depends on Qt; text is kept as bytes (windows-1252, the
// encoding of task files), which for formulas is plain ASCII in practice.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace KolvErkl {

// The output a rule gives when it cannot give a value; every valid output
// has a magnitude below 10000. Shown on screen as " ****".
inline constexpr int32_t InvalidOutput = -10000;
// An output is valid when its magnitude lies below 10000 (NaN is not valid).
inline constexpr bool IsValidOutput(double output) {
    return output > InvalidOutput && output < -InvalidOutput;
}
inline constexpr int MaxFormulaLength = 60;
// Tasks 1..BuiltInTasks are the built-in rules; own tasks are numbered after them.
inline constexpr int BuiltInTasks = 20;
// An extra task can stand in for each built-in task number.
inline constexpr int ExtraTaskCount = BuiltInTasks;

using Values = std::array<int32_t, 3>; // x, y, z

struct ExtraTask {
    int32_t VariableCount = 0;
    std::string Formula; // at most MaxFormulaLength bytes
    bool operator==(const ExtraTask&) const = default;
};

// ---- Engine state -------------------------------------------------------
extern int32_t NumberOfVariables; // 2 or 3
extern int32_t CurrentTask;       // 0 none, 1..20 built-in/extra, 21..70 own
extern bool ExtraTaskMode;
extern std::array<ExtraTask, ExtraTaskCount + 1> ExtraTasks; // entries 1..20; [0] unused
extern Values ExperimentValues;                              // x, y, z of the current experiment
extern Values CurrentValues; // the values of the latest MachineOutput call
extern int32_t SmallestValue, MiddleValue, LargestValue; // p, q, r of the latest preparation
extern bool FormulaError;
extern std::string CurrentFormula; // formula of the own task in use
// Where the latest MachineOutput call's evaluation stopped: 0 when the formula
// was read to its end or no evaluation took place (built-in rule, refused
// substitution); see EvaluateFormula in engine/formula.h.
extern int32_t LastErrorPosition;

// Puts every item above back to its start-up value (3 variables, everything
// else zero, false or empty). For tests and for start-up.
void ResetEngineState();

// ---- The whole program's shared state ------------------------------------
// Puts the shared state of every library linked in back to its start-up
// value, and empties every hook that replaces a collaborator: the engine's
// state first, then each library's own reset. Every test starts from it.
void ResetProgramState();
// Adds a library's reset to ResetProgramState. Each library registers its
// reset once, from the file that defines its state (so the reset is there
// exactly when the state is); returns true for use in that registration.
bool RegisterStateReset(void (*reset)());

// ---- Randomness ---------------------------------------------------------
// The program's single pseudo-random generator. Seeded from the clock once
// at start-up; tests seed it themselves.
std::mt19937& RandomGenerator();
void SeedRandom(uint32_t seed);
int32_t RandomDigit(); // uniform 1..9

// ---- Experiment values and their statistics -----------------------------
struct Statistics {
    int32_t Largest = 0, Middle = 0, Smallest = 0, Distinct = 0;
};

void FillRandomValues(Values& values);
Statistics ValueStatistics(int32_t x, int32_t y, int32_t z);
int32_t DistinctCount();
bool IsPrime(int32_t n);
int64_t NextPrime(int32_t n); // may lie above the 32-bit range for the largest primes
int32_t PrimeCount();
int32_t SmallestMissing();
int32_t DigitSum(int32_t n);
int32_t FirstDigit(int32_t n);
int32_t MaxInt(int32_t a, int32_t b);
// (10 x + y) div z of CurrentValues. No value when z is 0 (a third value
// that no 3-variable experiment has set yet).
std::optional<int64_t> TenXYDivZ();
// (largest + middle + smallest) mod n of CurrentValues. No value for n = 0.
std::optional<int32_t> SumMod(int32_t n);
// Euclid's algorithm on (a, b) := (b, a mod b); Gcd(0, 0) is 0.
int64_t Gcd(int32_t a, int32_t b);

// ---- The machine --------------------------------------------------------
// The output of the task in use for the values (x, y, z): a value with
// magnitude below 10000, or InvalidOutput. Callers read FormulaError after it.
int32_t MachineOutput(int32_t x, int32_t y, int32_t z);
inline int32_t MachineOutput(const Values& v) {
    return MachineOutput(v[0], v[1], v[2]);
}

// True when an extra task stands in for the built-in rule of the task in
// use: extra-task mode is on, the task has 3 variables and a number 1..20.
// The machine then computes that extra task's formula, and the window
// labels the task "Ekstraopgave".
bool ExtraTaskInForce();

} // namespace KolvErkl
