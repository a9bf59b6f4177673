// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window for a screen reader. The machine picture is a table
// whose rows are the rows of the picture and whose cells are its fields, in
// words; the keyboard cursor is the table's current cell, and what changes
// is told once, through a notification that belongs to the table. The
// window's buttons are pressed by a screen reader without waiting for what
// they open.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace KolvErkl {

// One field of the picture: its text in words ("tom" for a blank one) and
// where it is drawn, in the picture's coordinates.
struct PictureCell {
    QString Text;
    QRect Field;
};

// What the picture shows, in words: a header per column, and per row one
// cell per column. Current is the keyboard cursor's cell, counted from 0;
// -1 when the cursor has no cell.
struct PictureWords {
    QStringList Headers;
    std::vector<std::vector<PictureCell>> Rows;
    int CurrentRow = -1;
    int CurrentColumn = -1;
};

// The table's own name, and the word for a blank field.
inline const QString PictureName = QStringLiteral("Maskinen");
inline const QString BlankWord = QStringLiteral("tom");
// What the picture says while no task runs.
inline const QString NoTaskWords = QStringLiteral("Ingen opgave i gang.");

// Makes the picture known to the accessibility layer as a table, and the
// window's buttons as buttons whose press returns at once. Called before the
// first window is shown; more calls do nothing.
void InstallExerciseAccessibility();

} // namespace KolvErkl
