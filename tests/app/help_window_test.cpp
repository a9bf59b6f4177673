// The help window shows the guide from its start, or says that it is missing.
#include "app/help_window.h"

#include <QDialog>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

const QString Guide = QStringLiteral(KOLVANE_SOURCE_DIR "/resources/kolvane.HLP");

TEST(HelpWindow, OpensTheGuideAtItsStartEveryTime)
{
    THelpWindow window;
    window.resize(400, 300);
    window.show();
    window.OpenAtStart(Guide);
    const QString text = window.Browser->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Kolvane – find reglen bag maskinen"))) << text.left(80).toStdString();
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

TEST(HelpWindow, SaysSoWhenTheFileIsMissing)
{
    THelpWindow window;
    window.OpenAtStart(QStringLiteral("/no/such/folder/kolvane.HLP"));
    const QString text = window.Browser->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("findes ikke")));
    EXPECT_TRUE(text.contains(QStringLiteral("/no/such/folder/kolvane.HLP")));
}

TEST(HelpWindow, TheHandlerOpensTheOneWindowOnTheHelpFile)
{
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
TEST(HelpWindow, AskedForFromAnOpenDialogItIsAWindowOfThatDialog)
{
    KolvErkl::HelpFile = Guide;
    QDialog dialog;
    bool usable = false;
    bool dialogWaits = false;
    QTimer::singleShot(0, [&] {
        ShowHelpWindow();
        usable = HelpWindow->isVisible()
                 && dialog.windowHandle()->isAncestorOf(HelpWindow->windowHandle(),
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
