// SPDX-License-Identifier: GPL-3.0-or-later
// The heading dialog: what each way of leaving it does to Heading.
#include "app/heading_dialog.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

class HeadingDialogTest : public ::testing::Test {
protected:
    // The dialog takes Heading when it is made, before SetUp: the test
    // before must leave none behind.
    void SetUp() override { KolvErkl::ResetProgramState(); }
    void TearDown() override { KolvErkl::ResetProgramState(); }

    // Opens the dialog modally and lets `act` work in it as the pupil would.
    void Open(std::function<void(TOverskrif&)> act) {
        QTimer::singleShot(0, [this, act = std::move(act)] {
            ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
            act(dialog);
            if (dialog.isVisible()) {
                stayedOpen = true;
                dialog.done(QDialog::Rejected);
            }
        });
        dialog.exec();
    }

    TOverskrif dialog;
    bool stayedOpen = false;
};

TEST_F(HeadingDialogTest, LayoutAndTexts) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("   Overskrift"));
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral(" Navn eller overskrift til udskrifter: "));
    EXPECT_EQ(dialog.BitBtn1->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.BitBtn2->text(), QStringLiteral("&Fortryd"));
    EXPECT_EQ(dialog.Edit1->geometry(), QRect(48, 40, 297, 24));
    EXPECT_EQ(dialog.Edit1->maxLength(), 32767) << "no length limit of our own";
}

TEST_F(HeadingDialogTest, OkStoresTheTextWithItsBlanks) {
    Open([](TOverskrif& d) {
        EXPECT_EQ(d.focusWidget(), d.Edit1);
        QTest::keyClicks(d.Edit1, QStringLiteral("  "));
        d.BitBtn1->click();
    });
    EXPECT_EQ(KolvErkl::Heading, QStringLiteral("  "));
    EXPECT_FALSE(stayedOpen);
}

TEST_F(HeadingDialogTest, FirstEnterMovesToOkAndTheSecondPressesIt) {
    Open([](TOverskrif& d) {
        QTest::keyClicks(d.Edit1, QStringLiteral("Anna"));
        QTest::keyClick(d.Edit1, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), d.BitBtn1);
        EXPECT_EQ(d.Edit1->text(), QStringLiteral("Anna"));
        EXPECT_TRUE(KolvErkl::Heading.isEmpty());
        QTest::keyClick(d.BitBtn1, Qt::Key_Return);
    });
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(KolvErkl::Heading, QStringLiteral("Anna"));
}

TEST_F(HeadingDialogTest, CancelKeepsTheTypedTextWhichBecomesTheHeadingAtTheNextCancel) {
    Open([](TOverskrif& d) {
        QTest::keyClicks(d.Edit1, QStringLiteral("Før"));
        d.BitBtn1->click();
    });
    Open([](TOverskrif& d) {
        QTest::keyClicks(d.Edit1, QStringLiteral(" Bo"));
        d.BitBtn2->click();
    });
    EXPECT_EQ(KolvErkl::Heading, QStringLiteral("Før"));
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("Før Bo"));

    // Escape is the same button.
    Open([](TOverskrif& d) { QTest::keyClick(d.Edit1, Qt::Key_Escape); });
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(KolvErkl::Heading, QStringLiteral("Før Bo"));
}

TEST_F(HeadingDialogTest, ClosingByTheCloseBoxLeavesTheHeadingAsItWas) {
    Open([](TOverskrif& d) {
        QTest::keyClicks(d.Edit1, QStringLiteral("Gammel"));
        d.BitBtn1->click();
    });
    Open([](TOverskrif& d) {
        d.Edit1->setText(QStringLiteral("Ny"));
        d.close();
    });
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(KolvErkl::Heading, QStringLiteral("Gammel"));
    EXPECT_EQ(dialog.Edit1->text(), QStringLiteral("Ny"));
}

TEST_F(HeadingDialogTest, RestoringTheMinimisedDialogIsNoNewOpening) {
    Open([](TOverskrif& d) {
        QTest::keyClicks(d.Edit1, QStringLiteral("Ny"));
        d.setWindowState(Qt::WindowMinimized);
        QApplication::processEvents();
        d.setWindowState(Qt::WindowNoState);
        QApplication::processEvents();
        d.BitBtn2->click();
    });
    EXPECT_TRUE(KolvErkl::Heading.isEmpty());
}

} // namespace
