// SPDX-License-Identifier: GPL-3.0-or-later
// The field rectangles of the machine picture.
#include "exercise/picture_geometry.h"

namespace KolvErkl {

namespace {

constexpr int FieldHeight = 35;
constexpr int NarrowFieldWidth = 70;
constexpr int WideFieldWidth = 80;
// The output field stands at the same place in every mode, and the check's
// results field to the right of it.
constexpr int OutputLeft = 430;
constexpr int ResultLeft = 520;

int columnLeft(int column, int step, int firstLeft) {
    if (column == OutputColumn)
        return OutputLeft;
    if (column == ResultColumn)
        return ResultLeft;
    return step * column - firstLeft;
}

} // namespace

QRect ObserveField(int row, int column) {
    return QRect(columnLeft(column, 110, 50), 50 * row + 40, NarrowFieldWidth, FieldHeight);
}

QRect ExperimentField(int row, int column) {
    return QRect(columnLeft(column, 110, 50), 50 * row - 20, NarrowFieldWidth, FieldHeight);
}

QRect CheckField(int row, int column) {
    return QRect(columnLeft(column, 100, 50), 50 * row + 20, WideFieldWidth, FieldHeight);
}

} // namespace KolvErkl
