// SPDX-License-Identifier: GPL-3.0-or-later
// Small services that every window of the program shares: the message box
// with one OK button, and the help file.
//
// A collaborator that is one call (the message box, help, the time of day,
// the start of a summary) is replaced through a hook: a std::function named
// ...Hook that, while empty, leaves the program's own behaviour in force.
// Tests set hooks after ResetProgramState(), which empties them all.
// Collaborators with several calls or state of their own are interfaces
// handed to the window that uses them (ExerciseHost, FileDialogs,
// PrintBackend, PageSink).
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <type_traits>

namespace KolvErkl {

// A message box with the text, the caption (kept exactly, also when empty or
// a single blank) and one OK button, shown modally.
void ShowMessage(QWidget* parent, const QString& text, const QString& caption);
// When set, ShowMessage calls it instead of opening a box (tests use it to
// see what the user would have been told).
extern std::function<void(const QString& text, const QString& caption)> MessageHook;

// A text that holds nothing or a single blank counts as empty: a field the
// user left so, a cell of the machine never filled or blanked.
bool IsBlank(const QString& text);

// Names a newly made object (a widget, an action) by its design name, by
// which the program and its tests find it, and a widget given words for a
// screen reader too; gives the object back, so that it is made and named in
// one expression.
template <typename Object>
Object* Named(Object* object, const QString& name, const QString& words = QString()) {
    object->setObjectName(name);
    if constexpr (std::is_base_of_v<QWidget, Object>) {
        if (!words.isEmpty())
            object->setAccessibleName(words);
    }
    return object;
}

// The program's dialogs are made on their first use, not at start-up, so
// that the main window shows sooner and the program holds only the windows
// a lesson opens. Each dialog is made once, hidden, as a child of the owner
// that start-up sets (the main window), and is kept for the whole run, so
// that its fields keep what the pupil left in them. Without an owner (a test
// that makes its windows one by one) nothing is made: a dialog that was not
// made stays absent, and its caller goes on without it.
void SetDialogOwner(QWidget* owner);
QWidget* DialogOwner();
template <typename Dialog> Dialog* OnFirstUse(Dialog*& dialog) {
    if (dialog == nullptr && DialogOwner() != nullptr)
        dialog = new Dialog(DialogOwner());
    return dialog;
}

// Sets a window's caption. An empty caption is shown as one blank, which
// looks the same: the window system would put the program's name into an
// empty title.
void SetCaption(QWidget* window, const QString& caption);

// Makes a dialog a fixed-size window with a title and no buttons in its
// title bar. A window manager that offers a minimise button all the same
// (openbox does, taking the main window along) gets the dialog back at
// once, so that a modal dialog never leaves the program out of sight.
void MakeFixedDialog(QWidget* dialog);

// The program's fixed-pitch font, "Courier New" at a point size (-1: the
// default size); where it is missing, the system's metric-compatible
// fixed-pitch font stands in.
QFont CourierNew(int pointSize = -1);
// The same font at a size in pixels, for what is drawn at pixel positions.
QFont CourierNewPixels(int pixels, bool bold = false);

// Opens the help file at its start through HelpHook, which start-up sets to
// the help window (nothing happens while it is empty); the answer dialog and
// the define dialog call it for F1.
void OpenHelp();
extern std::function<void()> HelpHook;

} // namespace KolvErkl
