// SPDX-License-Identifier: GPL-3.0-or-later
// Where the fields of the machine picture lie, one function per mode. The
// drawing, the mouse and the keyboard cursor all take their fields from here.
#pragma once

#include <QRect>

namespace KolvErkl {

// The columns of a row beside the inputs x, y, z (1..3).
constexpr int OutputColumn = 4; // the machine's output, or the pupil's answer in the check
constexpr int ResultColumn = 5; // the check's correct output

// Observing: rows 1..3, narrow fields.
QRect ObserveField(int row, int column);
// Experimenting: rows 1..6, narrow fields.
QRect ExperimentField(int row, int column);
// The check: rows 1..5, wide fields.
QRect CheckField(int row, int column);

// The mouse takes a field with its far edges: one pixel more to the right
// and below than is drawn.
inline QRect MouseArea(const QRect& field) {
    return field.adjusted(0, 0, 1, 1);
}

} // namespace KolvErkl
