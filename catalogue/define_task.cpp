// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/define_task.h"

#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"

#include <charconv>

namespace KolvErkl {

const std::string TaskNumberErrorMessage = "Fejl i opgavenummeret.";
const std::string SlotInUseLine = "Opgavenummeret er i brug.";
const std::string ReplaceOldTaskLine = "Skal den gamle opgave slettes (j/n) ?";
const std::string TwoVariableLettersMessage =
    "Bogstaverne \"q\" og \"z\" kan ikke bruges når der kun er 2 variable";
const std::string NoGoodTrialMessage = "Der er opstået en fejl i den nye opgave. Indtast forfra.";
const std::string HardToFindValuesMessage = "Det er vanskeligt at finde tal til opgaven.";

namespace {

std::string StoredFormula(std::string_view formula) {
    return std::string(formula.substr(0, MaxFormulaLength));
}

} // namespace

std::optional<int> ParseTaskNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (n < FirstOwnTask || n > LastOwnTask)
        return std::nullopt;
    return n;
}

bool LettersFitVariables(std::string_view formula, int variables) {
    return variables != 2 || formula.find_first_of("qQzZ") == std::string_view::npos;
}

TrialResult TryNewTask(int taskNumber, std::string_view formula) {
    const int32_t taskBefore = CurrentTask;
    const std::string formulaBefore = CurrentFormula;

    CurrentTask = taskNumber;
    CurrentFormula = StoredFormula(formula);
    TrialResult result;
    while (!result.Good && result.Trials < MaxTrials) {
        ++result.Trials;
        FillRandomValues(ExperimentValues);
        const int32_t output = MachineOutput(ExperimentValues);
        if (FormulaError)
            ++result.Troubled;
        result.Good = IsValidOutput(output);
    }
    if (!result.Good) {
        CurrentTask = taskBefore;
        CurrentFormula = formulaBefore;
    }
    return result;
}

void StoreNewTask(int taskNumber, std::string_view formula) {
    TaskRecord& slot = OwnTaskSlot(taskNumber);
    slot.Free = 0;
    slot.VariableCount = NumberOfVariables;
    slot.TaskNumber = taskNumber;
    slot.Formula.Assign(StoredFormula(formula));
    CurrentFormula = slot.Formula.Text();
    CurrentTask = taskNumber;
    TransferRecord = slot;
}

} // namespace KolvErkl
