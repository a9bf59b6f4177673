// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for all widget tests of a test program, headless unless
// the caller chose a platform. (On Windows Qt's headless platform has no
// fonts: the tests use the Windows platform there.)
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
