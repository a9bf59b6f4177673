// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace KolvErkl {
QString HelpFile;

QString DefaultHelpFile(const QString& programFolder) {
    // Installed, the guide is data beside the programs' folder (bin/ and
    // share/kolvane/ under one prefix, or the install folders the build
    // chose); in the build tree it lies next to the program. A guide found
    // nowhere is named where it belongs.
    const QString installed =
        programFolder + QStringLiteral("/" KOLVANE_GUIDE_FOLDER "/kolvane.HLP");
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

namespace {

const QSize GuideSize(760, 620);

// Where the guide opens beside a dialog without hiding it: in the largest of
// the free parts of the screen right of, below, left of and above the
// dialog, as near to it as the part allows and at most at the guide's own
// size. `frame` is what the window manager puts around a window. Gives the
// outer rectangle, frame included.
QRect placeBeside(const QRect& dialog, const QRect& screen, const QMargins& frame) {
    const QRect freeParts[] = {
        QRect(QPoint(dialog.right() + 1, screen.top()), screen.bottomRight()),
        QRect(QPoint(screen.left(), dialog.bottom() + 1), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(dialog.left() - 1, screen.bottom())),
        QRect(screen.topLeft(), QPoint(screen.right(), dialog.top() - 1)),
    };
    QRect best;
    for (const QRect& part : freeParts) {
        const QSize inside = part.size().shrunkBy(frame).boundedTo(GuideSize);
        if (inside.isEmpty() || inside.width() * inside.height() <= best.width() * best.height())
            continue;
        const QSize outside = inside.grownBy(frame);
        best = QRect(
            QPoint(std::clamp(dialog.left(), part.left(), part.right() - outside.width() + 1),
                   std::clamp(dialog.top(), part.top(), part.bottom() - outside.height() + 1)),
            outside);
    }
    return best;
}

// The program's main window, for a guide asked for while no window was
// made the active one (no window manager).
QWidget* mainWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(window) && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

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
    resize(GuideSize);
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Close)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void THelpWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    // Without a window manager nothing else gives the keyboard back: the
    // dialog that waits gets it, or the window the guide was asked from, or
    // the window that one belongs to.
    QWidget* back = QApplication::activeModalWidget();
    for (QWidget* widget = ReturnTo; !back && widget; widget = widget->parentWidget())
        if (widget->isVisible())
            back = widget->window();
    if (back)
        back->activateWindow();
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
    if (!HelpWindow->isVisible()) {
        HelpWindow->ReturnTo = owner ? owner : QApplication::activeWindow();
        if (!HelpWindow->ReturnTo)
            HelpWindow->ReturnTo = mainWindow();
    }
    if (owner && owner->screen()) {
        // What the window manager puts around the dialog, it will put around
        // the guide too.
        const QRect frame = owner->frameGeometry();
        const QRect inner = owner->geometry();
        const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                               frame.right() - inner.right(), frame.bottom() - inner.bottom());
        const QRect place = placeBeside(frame, owner->screen()->availableGeometry(), margins);
        if (!place.isEmpty()) {
            HelpWindow->move(place.topLeft());
            HelpWindow->resize(place.size().shrunkBy(margins));
        }
    }
    HelpWindow->OpenAtStart(KolvErkl::HelpFile.isEmpty() ? KolvErkl::DefaultHelpFile()
                                                         : KolvErkl::HelpFile);
    HelpWindow->show();
    HelpWindow->raise();
    HelpWindow->activateWindow();
}
