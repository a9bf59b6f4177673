// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard cursor's moves over the cells of the picture.
#include "exercise/keyboard_cursor.h"

#include <utility>

void KeyboardCursor::Begin(int rows, int columns, Choosable choosable) {
    rows_ = rows;
    columns_ = columns;
    choosable_ = std::move(choosable);
    shown_ = false;
    row_ = 0;
    column_ = 0;
    Refresh();
}

bool KeyboardCursor::IsChoosable(int row, int column) const {
    return row >= 1 && row <= rows_ && column >= 1 && column <= columns_ && choosable_ &&
           choosable_(row, column);
}

void KeyboardCursor::MoveTo(int row, int column) {
    if (IsChoosable(row, column)) {
        row_ = row;
        column_ = column;
    }
}

void KeyboardCursor::Move(Direction direction) {
    shown_ = true;
    if (row_ == 0)
        return;
    // The nearest choosable cell in the row (Left, Right) or in the column
    // (Up, Down); with none there the cursor stays.
    const int rowStep = direction == Up ? -1 : direction == Down ? 1 : 0;
    const int columnStep = direction == Left ? -1 : direction == Right ? 1 : 0;
    for (int i = row_ + rowStep, j = column_ + columnStep;
         i >= 1 && i <= rows_ && j >= 1 && j <= columns_; i += rowStep, j += columnStep) {
        if (IsChoosable(i, j)) {
            row_ = i;
            column_ = j;
            return;
        }
    }
}

void KeyboardCursor::Refresh() {
    if (IsChoosable(row_, column_))
        return;
    // Reading order from the cell after the cursor's, once round the grid.
    const int cells = rows_ * columns_;
    const int from = row_ > 0 ? (row_ - 1) * columns_ + column_ : 0;
    for (int k = 0; k < cells; ++k) {
        const int index = (from + k) % cells;
        const int row = index / columns_ + 1;
        const int column = index % columns_ + 1;
        if (IsChoosable(row, column)) {
            row_ = row;
            column_ = column;
            return;
        }
    }
    row_ = 0;
    column_ = 0;
}

void KeyboardCursor::RowsScrolledUp() {
    if (row_ > 1)
        --row_;
    Refresh();
}
