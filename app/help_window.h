// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: a window of our own that shows the help file, an HTML
// document named kolvane.HLP, from its start.
#pragma once

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
};

// Opens (and creates on first use) the one help window at the start of
// KolvErkl::HelpFile; the main window installs it as KolvErkl::HelpHook.
void ShowHelpWindow();
extern THelpWindow* HelpWindow;
