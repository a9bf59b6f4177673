// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the help file and the program's two windows, created once and
// hidden; the dialogs follow on their first use (KolvErkl::OnFirstUse).
#pragma once

class TForm1;

namespace KolvErkl {

// Sets the help file and its handler, then creates the main window and the
// exercise window, hidden, fills their globals and makes the main window the
// owner of the dialogs (the about box, the heading dialog, the answer dialog,
// the task picker, the define dialog, the own-task list and the yes/no
// dialog), which are made as they are first needed.
TForm1* CreateWindows();

// Deletes the main window with every window it owns and clears the globals.
void DestroyWindows();

} // namespace KolvErkl
