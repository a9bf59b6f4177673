// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace KolvErkl {
QString HelpFile;

QString DefaultHelpFile(const QString& programFolder) {
    // Installed, the guide is data beside the programs' folder (bin/ and
    // share/kolvane/ under one prefix); in the build tree it lies next to
    // the program. A guide found nowhere is named where it belongs.
    const QString installed = programFolder + QStringLiteral("/../share/kolvane/kolvane.HLP");
    const QString beside = programFolder + QStringLiteral("/kolvane.HLP");
    if (!QFileInfo(installed).isFile() && QFileInfo(beside).isFile())
        return beside;
    return QDir::cleanPath(installed);
}

QString DefaultHelpFile() {
    return DefaultHelpFile(QCoreApplication::applicationDirPath());
}
} // namespace KolvErkl

THelpWindow* HelpWindow = nullptr;

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kolvane - Vejledning"));
    // Closing the main window ends the program, also while the guide is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    resize(760, 620);
}

void THelpWindow::OpenAtStart(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.isFile() || !info.isReadable()) {
        Browser->setSource(QUrl());
        Browser->setHtml(QStringLiteral("<h2>Vejledningen mangler</h2>"
                                        "<p>Hjælpefilen <tt>%1</tt> findes ikke eller kan ikke "
                                        "læses.</p>")
                             .arg(fileName.toHtmlEscaped()));
        return;
    }
    // The file is HTML, although its name ends in .HLP.
    Browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()), QTextDocument::HtmlResource);
    Browser->reload();
    Browser->moveCursor(QTextCursor::Start);
    Browser->ensureCursorVisible();
}

void ShowHelpWindow() {
    if (!HelpWindow) {
        HelpWindow = new THelpWindow;
        // It may go with a dialog that owned it (below).
        QObject::connect(HelpWindow, &QObject::destroyed, [] { HelpWindow = nullptr; });
    }
    // A modal dialog blocks every window but its own: asked from a dialog
    // that is open, the guide becomes a window of that dialog, so that it
    // can be scrolled, followed and closed while the dialog waits, and
    // closing it returns to the dialog. Asked from the main window, it is a
    // window of its own again.
    QWidget* owner = QApplication::activeModalWidget();
    if (HelpWindow->parentWidget() != owner) {
        const QSize size = HelpWindow->size();
        // As a dialog window of the dialog, the window manager keeps it above
        // that dialog, also when the pupil clicks back into the dialog.
        HelpWindow->setParent(owner, owner ? Qt::Dialog : Qt::Window);
        HelpWindow->resize(size);
    }
    HelpWindow->OpenAtStart(KolvErkl::HelpFile.isEmpty() ? KolvErkl::DefaultHelpFile()
                                                         : KolvErkl::HelpFile);
    HelpWindow->show();
    HelpWindow->raise();
    HelpWindow->activateWindow();
}
