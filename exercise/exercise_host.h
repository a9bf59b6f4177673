// SPDX-License-Identifier: GPL-3.0-or-later
// What the exercise window needs of the main window that holds it. The main
// window (app/) implements it; the exercise window never includes app/.
#pragma once

class QWidget;

class ExerciseHost {
public:
    virtual ~ExerciseHost() = default;
    // The main window's menu item "Udskriv"; always enabled and disabled
    // together with the exercise window's print button.
    virtual void SetPrintMenuEnabled(bool enabled) = 0;
    // Prints the activity log under the heading (after AppendSummary).
    virtual void PrintActivityLog() = 0;
    // Shows the heading dialog modally.
    virtual void ShowHeadingDialog() = 0;
};
