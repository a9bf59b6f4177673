// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the help file and the program's windows, created once, hidden,
// in their fixed order.
#pragma once

namespace KolvErkl {
class FileDialogs;
}
class TForm1;

namespace KolvErkl {

// Sets the help file and its handler, then creates the main window, the
// exercise window, the about box, the heading dialog, the answer dialog, the
// task picker, the define dialog, the own-task list and the yes/no dialog,
// all hidden, and fills their globals. The define dialog's save offer uses
// the main window's file dialogs.
TForm1* CreateWindows();

// Deletes the main window with every window it owns and clears the globals.
void DestroyWindows();

} // namespace KolvErkl
