// SPDX-License-Identifier: GPL-3.0-or-later
// The experiment's grid, apart from the window that shows it: which cells
// are blank, how a chosen cell and a chosen digit meet, how the machine
// draws the one value a row still lacks, and how the grid scrolls. The
// window (exercise_window.cpp) finds the cell under the mouse, logs the
// rows the machine completes and repaints.
#pragma once

#include "ui/ui_services.h"

#include <QString>
#include <array>

namespace KolvErkl {

// One row of the machine's picture, as the observations, the experiment and
// the check show it: the values of x, y and z from the left (as many as the
// task has variables) and the output.
struct MachineRow {
    std::array<QString, 3> Inputs;
    QString Output;
};

// Rows 1..Rows and columns 1..NumberOfVariables, as the picture numbers its
// fields; the number of variables is the machine's, read at each entry.
class ExperimentGrid {
public:
    static constexpr int Rows = 6;

    // What an entry did to the grid.
    enum class Entry {
        Nothing,  // a filled cell was chosen
        Waiting,  // the cell or the digit waits for the other half
        Scrolled, // the rows moved up by one; the digit waits
        Filled,   // the digit went into its cell
        Completed // ... and the machine drew the row's last value and output
    };

    // Every cell empty and nothing waiting.
    void Clear();
    // The pupil chose the cell. A blank cell takes a waiting digit, or else
    // waits for one; a filled cell is never chosen.
    Entry ChooseCell(int row, int column);
    // The pupil chose a digit. A waiting cell takes it; otherwise it waits
    // for a cell, the latest digit in place of an earlier one. A digit that
    // waits while the last row is the current one first scrolls the grid up,
    // so that a blank row comes in at the bottom.
    Entry ChooseDigit(int digit);
    // A digit or a cell that waited for the other half is dropped.
    void DropWaiting();

    const MachineRow& operator[](int row) const { return rows_[row]; }
    bool IsBlank(int row, int column) const;
    // The row of the latest chosen cell; 0 before any.
    int CurrentRow() const { return currentRow_; }
    bool CellWaiting() const { return cellWaiting_; }
    bool DigitWaiting() const { return digitWaiting_; }

private:
    Entry Enter();
    void Scroll();
    QString& Cell(int row, int column) { return rows_[row].Inputs[column - 1]; }

    std::array<MachineRow, Rows + 1> rows_; // rows 1..Rows; [0] unused
    int currentRow_ = 0;
    int currentColumn_ = 1;
    QString chosenDigit_;
    bool cellWaiting_ = false;
    bool digitWaiting_ = false;
};

} // namespace KolvErkl
