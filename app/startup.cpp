// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/about_box.h"
#include "app/heading_dialog.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "catalogue_ui/define_dialog.h"
#include "catalogue_ui/own_task_list.h"
#include "catalogue_ui/task_picker.h"
#include "catalogue_ui/yes_no_dialog.h"
#include "exercise/answer_dialog.h"
#include "exercise/exercise_window.h"
#include "ui/ui_services.h"

namespace KolvErkl {

TForm1* CreateWindows() {
    HelpFile = DefaultHelpFile();
    HelpHook = ShowHelpWindow;

    // Every other window belongs to the main window and goes with it: the
    // exercise window comes once the title has been painted, the dialogs on
    // their first use.
    Form1 = new TForm1;
    SetDialogOwner(Form1);
    return Form1;
}

void DestroyWindows() {
    delete HelpWindow;
    HelpWindow = nullptr;
    SetDialogOwner(nullptr);
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    AboutBox = nullptr;
    Overskrif = nullptr;
    Form4 = nullptr;
    Form3 = nullptr;
    Form5 = nullptr;
    Form7 = nullptr;
    Form6 = nullptr;
}

} // namespace KolvErkl
