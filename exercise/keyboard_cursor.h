// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard cursor: the cell of the picture that Enter or Space works on
// when the pupil uses the keyboard instead of the mouse. It knows rows and
// columns only; the window tells it which cells may hold it.
#pragma once

#include <functional>

class KeyboardCursor {
public:
    enum Direction { Left, Right, Up, Down };
    // Whether the cell in row (1..rows) and column (1..columns) may hold
    // the cursor.
    using Choosable = std::function<bool(int row, int column)>;

    // A new mode: the cursor stands on the first choosable cell, reading
    // from the top row leftwards, and is not yet shown.
    void Begin(int rows, int columns, Choosable choosable);
    // The cursor is drawn from now on, where it stands.
    void Show() { shown_ = true; }
    // The cursor goes to the cell, when that cell may hold it.
    void MoveTo(int row, int column);
    // Left and Right: the nearest choosable cell in the row. Up and Down:
    // the nearest choosable cell in the column above or below. With no such
    // cell the cursor stays. Every move shows the cursor.
    void Move(Direction direction);
    // After a change of the cells: a cursor whose cell may no longer hold it
    // moves on to the next choosable cell in reading order, from the top
    // again after the last.
    void Refresh();
    // The rows moved up by one: the cursor goes up with its cell.
    void RowsScrolledUp();

    // Row 0: no cell may hold the cursor.
    int Row() const { return row_; }
    int Column() const { return column_; }
    // The cursor is drawn once shown or moved in its mode, while on a cell.
    bool Shown() const { return shown_ && row_ > 0; }

private:
    bool IsChoosable(int row, int column) const;

    int rows_ = 0;
    int columns_ = 0;
    Choosable choosable_;
    int row_ = 0;
    int column_ = 0;
    bool shown_ = false;
};
