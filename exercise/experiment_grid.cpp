// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/experiment_grid.h"

#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"

namespace KolvErkl {

namespace {

// The machine draws the missing value at most this often.
constexpr int MaxExperimentDraws = 11;

} // namespace

bool ExperimentGrid::IsBlank(int row, int column) const {
    return KolvErkl::IsBlank(rows_[row].Inputs[column - 1]);
}

void ExperimentGrid::Clear() {
    *this = ExperimentGrid{};
}

ExperimentGrid::Entry ExperimentGrid::ChooseCell(int row, int column) {
    if (!IsBlank(row, column))
        return Entry::Nothing;
    currentRow_ = row;
    currentColumn_ = column;
    if (digitWaiting_)
        return Enter();
    cellWaiting_ = true;
    return Entry::Waiting;
}

ExperimentGrid::Entry ExperimentGrid::ChooseDigit(int digit) {
    chosenDigit_ = QString::number(digit);
    if (cellWaiting_)
        return Enter();
    const bool scroll = currentRow_ == Rows;
    if (scroll)
        Scroll();
    digitWaiting_ = true;
    return scroll ? Entry::Scrolled : Entry::Waiting;
}

void ExperimentGrid::DropWaiting() {
    cellWaiting_ = false;
    digitWaiting_ = false;
}

ExperimentGrid::Entry ExperimentGrid::Enter() {
    const int n = NumberOfVariables;
    // The digit goes into the chosen cell unless it already holds one.
    if (IsBlank(currentRow_, currentColumn_))
        Cell(currentRow_, currentColumn_) = chosenDigit_;
    // The digit and the cell are used up.
    DropWaiting();
    // How many values the row has, and which one is missing.
    int filled = 0;
    int blankColumn = 0;
    for (int j = 1; j <= n; ++j) {
        if (IsBlank(currentRow_, j))
            blankColumn = j;
        else
            ++filled;
    }
    if (filled != n - 1 || blankColumn == 0)
        return Entry::Filled;
    // One value left: the machine draws it.
    MachineRow& row = rows_[currentRow_];
    for (int j = 1; j <= n; ++j)
        if (j != blankColumn)
            ExperimentValues[j - 1] = Cell(currentRow_, j).toInt();
    int32_t output = 0;
    for (int draw = 0; draw < MaxExperimentDraws; ++draw) {
        ExperimentValues[blankColumn - 1] = RandomDigit();
        output = MachineOutput(ExperimentValues);
        if (!FormulaError)
            break;
    }
    Cell(currentRow_, blankColumn) = QString::number(ExperimentValues[blankColumn - 1]);
    row.Output = OutputText(output);
    return Entry::Completed;
}

void ExperimentGrid::Scroll() {
    const int n = NumberOfVariables;
    for (int i = 2; i <= Rows; ++i) {
        for (int j = 1; j <= n; ++j)
            Cell(i - 1, j) = Cell(i, j);
        rows_[i - 1].Output = rows_[i].Output;
    }
    for (int j = 1; j <= n; ++j)
        Cell(Rows, j) = QStringLiteral(" ");
    rows_[Rows].Output = QStringLiteral(" ");
    currentRow_ = Rows - 1;
}

} // namespace KolvErkl
