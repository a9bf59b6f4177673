// SPDX-License-Identifier: GPL-3.0-or-later
// The bare window that tools/startup_compare.sh measures Kolvane against: the
// least a Qt Widgets program with Kolvane's kind of window does. A main
// window with a one-item menu bar (so fonts are loaded), maximised; without a
// window manager Xvfb does not maximise, so it covers the screen's work area
// itself, as Kolvane's main window does.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Quit"));
    window.showMaximized();
    window.setGeometry(window.screen()->availableGeometry());
    return app.exec();
}
