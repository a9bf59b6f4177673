// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for all widget tests of a test program, headless unless
// the caller chose a platform. What the program keeps in the user's own
// folders (the lesson journal) goes to a folder of the test program's own,
// never to the real user's.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir userFolders;
    qputenv("XDG_DATA_HOME", QFile::encodeName(userFolders.filePath(QStringLiteral("data"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(userFolders.filePath(QStringLiteral("state"))));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
