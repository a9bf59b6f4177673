// SPDX-License-Identifier: GPL-3.0-or-later
// Defining an own task from a number and a formula: the checks, the trials
// on random values and the storing. The define dialog and the companion's
// make-task both use these, so that a task is judged the same way by both.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace KolvErkl {

// Texts shown while a task is defined (UTF-8).
extern const std::string TaskNumberErrorMessage; // "Fejl i opgavenummeret."
extern const std::string SlotInUseLine;          // "Opgavenummeret er i brug."
extern const std::string ReplaceOldTaskLine;     // "Skal den gamle opgave slettes (j/n) ?"
extern const std::string TwoVariableLettersMessage;
extern const std::string NoGoodTrialMessage;      // "Der er opstået en fejl i den nye opgave. ..."
extern const std::string HardToFindValuesMessage; // "Det er vanskeligt at finde tal til opgaven."

inline constexpr int MaxTrials = 100;

// The task number typed by the teacher: a decimal whole number 21..70, or
// nothing.
std::optional<int> ParseTaskNumber(std::string_view text);

// False when a 2-variable task uses q or z, which need a third value.
bool LettersFitVariables(std::string_view formula, int variables);

struct TrialResult {
    int Trials = 0;   // trials made, the good one included
    int Troubled = 0; // trials after which FormulaError was raised
    bool Good = false;

    // More than half of the trials were troubled: the teacher is warned.
    bool Hard() const { return Good && Trials / 2 < Troubled; }
};

// Tries the formula (its first 60 characters) as task n on random values
// until one gives an output, at most MaxTrials times. The trials need the
// new task to be the current one; when none is good, the task and formula
// in use before are put back, so that nothing is left running a formula
// that never gives a value.
TrialResult TryNewTask(int taskNumber, std::string_view formula);

// Stores a tried task in slot n (keeping the slot's file name), makes it the
// current task and copies it to TransferRecord. OwnTaskSpan is raised by
// the caller, after the save offer.
void StoreNewTask(int taskNumber, std::string_view formula);

} // namespace KolvErkl
