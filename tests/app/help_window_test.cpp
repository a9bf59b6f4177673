// SPDX-License-Identifier: GPL-3.0-or-later
// The help window shows the guide from its start, or says that it is missing.
#include "app/help_window.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const QString Guide = QStringLiteral(KOLVANE_SOURCE_DIR "/resources/kolvane.HLP");

TEST(HelpWindow, OpensTheGuideAtItsStartEveryTime) {
    THelpWindow window;
    window.resize(400, 300);
    window.show();
    window.OpenAtStart(Guide);
    const QString text = window.Browser->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Kolvane – find reglen bag maskinen")))
        << text.left(80).toStdString();
    for (const char* name : {"abs(n)", "s(n)", "f(n)", "b(…)", "c(…)", "d(n)", "e(…)", "g(n)",
                             "h(n)", "i(…)", "j(n)", "k(…)"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << "the guide explains " << name;

    QScrollBar* bar = window.Browser->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    window.OpenAtStart(Guide);
    EXPECT_EQ(bar->value(), 0);
    window.close();
}

TEST(HelpWindow, SaysSoWhenTheFileIsMissing) {
    THelpWindow window;
    window.OpenAtStart(QStringLiteral("/no/such/folder/kolvane.HLP"));
    const QString text = window.Browser->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("findes ikke")));
    EXPECT_TRUE(text.contains(QStringLiteral("/no/such/folder/kolvane.HLP")));
}

TEST(HelpWindow, TheGuideIsDataBesideAnInstalledProgramOrNextToABuiltOne) {
    const QTemporaryDir prefix;
    const QString bin = prefix.path() + u"/bin"_qs;
    const QString installed = prefix.path() + u"/share/kolvane/kolvane.HLP"_qs;
    const QString beside = bin + u"/kolvane.HLP"_qs;
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(prefix.path() + u"/share/kolvane"_qs));
    // Found nowhere: named where an installed copy keeps it.
    EXPECT_EQ(KolvErkl::DefaultHelpFile(bin), installed);
    QFile(beside).open(QIODevice::WriteOnly);
    EXPECT_EQ(KolvErkl::DefaultHelpFile(bin), beside);
    QFile(installed).open(QIODevice::WriteOnly);
    EXPECT_EQ(KolvErkl::DefaultHelpFile(bin), installed);
}

TEST(HelpWindow, AnInstalledProgramFindsTheGuideThatTheInstallationPutsInPlace) {
#ifdef _WIN32
    // The installer puts the guide beside the program; tools/check-windows-
    // package.sh checks it where the installer runs.
    GTEST_SKIP() << "the Windows installation is checked by its installer";
#endif
    const QTemporaryDir prefix;
    const QString install = u"cmake --install '%1' --prefix '%2' >/dev/null"_qs.arg(
        QStringLiteral(KOLVANE_BINARY_DIR), prefix.path());
    ASSERT_EQ(std::system(install.toLocal8Bit().constData()), 0);
    const QString bin = prefix.path() + u"/bin"_qs;
    ASSERT_TRUE(QFileInfo(bin + u"/kolvane"_qs).isExecutable());
    EXPECT_EQ(QDir(bin).entryList(QDir::Files), (QStringList{u"kolvane"_qs, u"kolvane-tasks"_qs}))
        << "only the programs in bin/";
    const QString guide = KolvErkl::DefaultHelpFile(bin);
    EXPECT_TRUE(guide.startsWith(prefix.path() + u"/share/"_qs)) << guide.toStdString();
    EXPECT_TRUE(QFileInfo(guide).isFile()) << guide.toStdString();
}

TEST(HelpWindow, TheHandlerOpensTheOneWindowOnTheHelpFile) {
    KolvErkl::HelpFile = Guide;
    ShowHelpWindow();
    ShowHelpWindow();
    ASSERT_NE(HelpWindow, nullptr);
    EXPECT_TRUE(HelpWindow->isVisible());
    EXPECT_TRUE(HelpWindow->Browser->toPlainText().startsWith(QStringLiteral("Kolvane")));
    delete HelpWindow;
    HelpWindow = nullptr;
    KolvErkl::HelpFile.clear();
}

// A modal dialog blocks every window but itself and the windows it owns: the
// guide asked for from an open dialog (F1) is one of them, so it can be used
// and closed while the dialog waits.
TEST(HelpWindow, AskedForFromAnOpenDialogItIsAWindowOfThatDialog) {
    KolvErkl::HelpFile = Guide;
    QDialog dialog;
    bool usable = false;
    bool dialogWaits = false;
    QTimer::singleShot(0, [&] {
        ShowHelpWindow();
        usable = HelpWindow->isVisible() &&
                 dialog.windowHandle()->isAncestorOf(HelpWindow->windowHandle(),
                                                     QWindow::IncludeTransients);
        HelpWindow->close();
        dialogWaits = dialog.isVisible();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(usable);
    EXPECT_TRUE(dialogWaits);

    ShowHelpWindow(); // from the main window: a window of its own again
    EXPECT_EQ(HelpWindow->parentWidget(), nullptr);
    delete HelpWindow;
    EXPECT_EQ(HelpWindow, nullptr);
    KolvErkl::HelpFile.clear();
}

} // namespace
