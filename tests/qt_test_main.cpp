// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for all widget tests of a test program, headless unless
// the caller chose a platform (on Windows Qt's headless platform has no
// fonts: the tests use the Windows platform there). What the program keeps
// in the user's own folders (the lesson journal) goes to a folder of the
// test program's own, never to the real user's.
#include <QApplication>
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
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
