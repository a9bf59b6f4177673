// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: a window of our own that shows the help file, an HTML
// document named kolvane.HLP, from its start.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace KolvErkl {
// The help file's full name; set once at start-up.
extern QString HelpFile;
// The guide of the program in `programFolder`: share/kolvane/kolvane.HLP
// beside that folder when installed, else kolvane.HLP next to the program.
QString DefaultHelpFile(const QString& programFolder);
// The guide of this program (applicationDirPath()).
QString DefaultHelpFile();
} // namespace KolvErkl

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);
    // Loads the file and shows it from its start; a missing file is said in
    // the window itself.
    void OpenAtStart(const QString& fileName);

    QTextBrowser* Browser = nullptr;
    // The window that gets the keyboard back when the guide closes.
    QPointer<QWidget> ReturnTo;

protected:
    // Esc and Ctrl+W close the guide, with or without a window manager.
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

// Opens (and creates on first use) the one help window at the start of
// KolvErkl::HelpFile; the main window installs it as KolvErkl::HelpHook.
// Asked from a dialog, the guide opens beside it, not over it.
void ShowHelpWindow();
extern THelpWindow* HelpWindow;
