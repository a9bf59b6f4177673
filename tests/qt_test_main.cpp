// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for all widget tests of a test program, headless unless
// the caller chose a platform (on Windows Qt's headless platform has no
// fonts: the tests use the Windows platform there). What the program keeps
// in the user's own folders (the lesson journal) goes to a folder of the
// test program's own, never to the real user's. The tests of app/ run under
// the program's own application class, which catches what an event handler
// throws.
#ifdef KOLVANE_PROGRAM_APPLICATION
#include "app/error_handler.h"
using TestApplication = KolvaneApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    const QTemporaryDir userFolders;
    qputenv("XDG_DATA_HOME", QFile::encodeName(userFolders.filePath(QStringLiteral("data"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(userFolders.filePath(QStringLiteral("state"))));
#ifdef _WIN32
    // Windows takes the user's folders from the system, not from XDG.
    QStandardPaths::setTestModeEnabled(true);
#endif
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
