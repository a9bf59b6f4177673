// SPDX-License-Identifier: GPL-3.0-or-later
// The task picker, the yes/no dialog and the list of own tasks, used the
// way the pupil and the teacher use them.
#include "catalogue/task_catalogue.h"
#include "catalogue_ui/own_task_list.h"
#include "catalogue_ui/task_picker.h"
#include "catalogue_ui/yes_no_dialog.h"
#include "engine/kolv_erkl.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

using namespace KolvErkl;

namespace {

void Store(int n, int variables) {
    TaskRecord& slot = OwnTaskSlot(n);
    slot.Free = 0;
    slot.TaskNumber = n;
    slot.VariableCount = variables;
    slot.Formula.Assign("x+y");
    RaiseOwnTaskSpan(n);
}

class CatalogueDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }

    // Opens `dialog` modally and runs `act` in it; a dialog still open
    // afterwards is noted and closed.
    void Run(QDialog& dialog, std::function<void()> act) {
        stayedOpen = false;
        QTimer::singleShot(0, [this, &dialog, act = std::move(act)] {
            ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
            act();
            if (dialog.isVisible()) {
                stayedOpen = true;
                dialog.done(QDialog::Rejected);
            }
        });
        dialog.exec();
    }

    bool stayedOpen = false;
};

// ---- Task picker ----------------------------------------------------------

using TaskPickerTest = CatalogueDialogTest;

TEST_F(TaskPickerTest, RangeLabelFollowsTheHighestStoredTask) {
    TForm3 picker;
    QString label;
    Run(picker, [&] { label = picker.Label1->text(); });
    EXPECT_EQ(label, QStringLiteral("Opgave-nummer: (1..20)"));
    Store(21, 3);
    Store(30, 3);
    Run(picker, [&] { label = picker.Label1->text(); });
    EXPECT_EQ(label, QStringLiteral("Opgave-nummer: (1..30)"));
}

TEST_F(TaskPickerTest, AcceptsNumbersInRangeAndRefusesOthersByEmptyingTheField) {
    Store(21, 3);
    Store(30, 3);
    struct Case {
        const char* typed;
        bool accepted;
        int task;
    };
    for (const Case c : {Case{"7", true, 7}, Case{"20", true, 20}, Case{"25", true, 25},
                         Case{"30", true, 30}, Case{"31", false, 0}, Case{"0", false, 0},
                         Case{"", false, 0}, Case{"99999999999", false, 0}}) {
        TForm3 picker;
        CurrentTask = -1;
        QString afterEnter;
        Run(picker, [&] {
            picker.Edit1->setText(QString::fromLatin1(c.typed));
            QTest::keyClick(picker.Edit1, Qt::Key_Return);
            afterEnter = picker.Edit1->text();
            if (!c.accepted) {
                EXPECT_EQ(picker.focusWidget(), picker.Edit1) << c.typed;
            }
        });
        EXPECT_EQ(!stayedOpen, c.accepted) << c.typed;
        if (c.accepted) {
            EXPECT_EQ(CurrentTask, c.task) << c.typed;
        } else {
            EXPECT_TRUE(afterEnter.isEmpty()) << c.typed;
            EXPECT_EQ(CurrentTask, -1) << c.typed;
        }
    }
}

TEST_F(TaskPickerTest, TypingEntersOnlyDigitsAndTheFieldKeepsItsText) {
    TForm3 picker;
    Run(picker, [&] {
        QTest::keyClicks(picker.Edit1, QStringLiteral("1a-x 2."));
        EXPECT_EQ(picker.Edit1->text(), QStringLiteral("12"));
        QTest::keyClick(picker.Edit1, Qt::Key_Home);
        // Delete as X11 sends it, with the character 0x7f.
        QTest::sendKeyEvent(QTest::Click, picker.Edit1, Qt::Key_Delete, QChar(0x7f), {});
        EXPECT_EQ(picker.Edit1->text(), QStringLiteral("2"));
        QTest::keyClicks(picker.Edit1, QStringLiteral("1"));
        QTest::keyClick(picker.Edit1, Qt::Key_End);
        QTest::keyClick(picker.Edit1, Qt::Key_Backspace);
        EXPECT_EQ(picker.Edit1->text(), QStringLiteral("1"));
        QTest::mouseClick(picker.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(CurrentTask, 1);
    QString selected;
    Run(picker, [&] {
        selected = picker.Edit1->selectedText();
        QTest::keyClicks(picker.Edit1, QStringLiteral("9"));
        QTest::keyClick(picker.Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(selected, QStringLiteral("1")) << "the old text is selected, so typing replaces it";
    EXPECT_EQ(CurrentTask, 9);
}

TEST_F(TaskPickerTest, OwnTaskTakesOverItsNumberOfVariables) {
    Store(30, 2);
    NumberOfVariables = 3;
    TForm3 picker;
    Run(picker, [&] {
        picker.Edit1->setText(QStringLiteral("30"));
        picker.AcceptNumber();
    });
    EXPECT_EQ(NumberOfVariables, 2);

    Run(picker, [&] {
        picker.Edit1->setText(QStringLiteral("25")); // free slot: accepted, nothing taken over
        picker.AcceptNumber();
    });
    EXPECT_EQ(CurrentTask, 25);
    EXPECT_EQ(NumberOfVariables, 2);
    NumberOfVariables = 3;
    Run(picker, [&] {
        picker.Edit1->setText(QStringLiteral("4"));
        picker.AcceptNumber();
    });
    EXPECT_EQ(NumberOfVariables, 3) << "a built-in task keeps the variables in force";
}

TEST_F(TaskPickerTest, CancelEscapeAndCloseAllChooseNoTask) {
    TForm3 picker;
    EXPECT_EQ(picker.BitBtn2->text(), QStringLiteral("&Fortryd"));
    EXPECT_FALSE(picker.windowFlags() & Qt::WindowCloseButtonHint);
    // An empty title shows as one blank, not as the program's name; no
    // minimise or maximise buttons are asked for, and a minimise that a
    // window manager does all the same is undone.
    EXPECT_EQ(picker.windowTitle(), QStringLiteral(" "));
    EXPECT_FALSE(picker.windowFlags() & Qt::WindowMinMaxButtonsHint);
    bool minimisedAfterwards = true;
    Run(picker, [&] {
        picker.setWindowState(Qt::WindowMinimized);
        QApplication::processEvents();
        minimisedAfterwards = picker.isMinimized();
    });
    EXPECT_FALSE(minimisedAfterwards);
    const std::function<void()> ways[] = {
        [&] { QTest::mouseClick(picker.BitBtn2, Qt::LeftButton); },
        [&] { QTest::keyClick(picker.Edit1, Qt::Key_Escape); },
        [&] { picker.close(); },
        [&] {
            picker.BitBtn2->setFocus();
            QTest::keyClick(picker.BitBtn2, Qt::Key_Return);
        },
    };
    for (const auto& leave : ways) {
        CurrentTask = 12;
        Run(picker, [&] {
            picker.Edit1->setText(QStringLiteral("5"));
            leave();
        });
        EXPECT_FALSE(stayedOpen);
        EXPECT_EQ(CurrentTask, 0);
    }
}

// ---- Yes/no dialog --------------------------------------------------------

using YesNoTest = CatalogueDialogTest;

TEST_F(YesNoTest, EveryWayOutGivesItsAnswer) {
    TForm6 dialog;
    dialog.SetLines(QStringLiteral("Opgavenummeret er i brug."),
                    QStringLiteral("Skal den gamle opgave slettes (j/n) ?"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ups"));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("Skal den gamle opgave slettes (j/n) ?"));
    struct Way {
        const char* what;
        std::function<void()> leave;
        bool answer;
    };
    const Way ways[] = {
        {"Ja", [&] { QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton); }, true},
        {"Nej", [&] { QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton); }, false},
        {"Enter", [&] { QTest::keyClick(&dialog, Qt::Key_Return); }, true},
        {"Escape", [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }, false},
        // "(j/n)": the letters answer, either case, wherever the focus is.
        {"j", [&] { QTest::keyClick(dialog.BitBtn2, Qt::Key_J); }, true},
        {"J", [&] { QTest::keyClick(dialog.BitBtn1, Qt::Key_J, Qt::ShiftModifier); }, true},
        {"n", [&] { QTest::keyClick(dialog.BitBtn1, Qt::Key_N); }, false},
        {"N", [&] { QTest::keyClick(dialog.BitBtn2, Qt::Key_N, Qt::ShiftModifier); }, false},
        {"Enter on Nej",
         [&] {
             dialog.BitBtn2->setFocus();
             QTest::keyClick(dialog.BitBtn2, Qt::Key_Return);
         },
         false},
        {"close", [&] { dialog.close(); }, false},
    };
    for (const Way& way : ways) {
        YesNoAnswer = !way.answer;
        Run(dialog, way.leave);
        EXPECT_FALSE(stayedOpen) << way.what;
        EXPECT_EQ(YesNoAnswer, way.answer) << way.what;
    }
}

// ---- List of own tasks ----------------------------------------------------

const QString ListHeading = QStringLiteral("   Opgavens navn    Antal variable");
const QString Blank = QStringLiteral(" ");

QString TaskLine(int n, int variables) {
    return QStringLiteral("     Opg%1.kvn            %2").arg(n).arg(variables);
}

using OwnTaskListTest = CatalogueDialogTest;

TEST_F(OwnTaskListTest, EmptyTableGivesTheHeadingOnly) {
    EXPECT_EQ(OwnTaskListLines(), (QStringList{ListHeading, Blank}));
}

TEST_F(OwnTaskListTest, TasksInOrderWithABlankLineAfterEveryFifthButNotAtTheEnd) {
    Store(30, 2);
    Store(21, 3);
    EXPECT_EQ(OwnTaskListLines(),
              (QStringList{ListHeading, Blank, TaskLine(21, 3), TaskLine(30, 2)}));

    InitTaskCatalogue();
    for (int n = 21; n <= 26; ++n)
        Store(n, 3);
    QStringList six{ListHeading, Blank};
    for (int n = 21; n <= 26; ++n)
        six << TaskLine(n, 3);
    EXPECT_EQ(OwnTaskListLines(), six) << "span 6: no blank line";

    Store(27, 2);
    QStringList seven{ListHeading, Blank};
    for (int n = 21; n <= 25; ++n)
        seven << TaskLine(n, 3);
    seven << Blank << TaskLine(26, 3) << TaskLine(27, 2);
    EXPECT_EQ(OwnTaskListLines(), seven);

    InitTaskCatalogue();
    for (int n = 21; n <= 30; ++n)
        Store(n, 3);
    const QStringList ten = OwnTaskListLines();
    EXPECT_EQ(ten.count(Blank), 2) << "after the fifth task only: k = 10 is not below span - 1";
}

TEST_F(OwnTaskListTest, TheDialogShowsTheTableAsItStandsAtEveryOpening) {
    TForm7 list;
    EXPECT_EQ(list.windowTitle(), QStringLiteral("Liste over selvdefinerede opgaver"));
    QString shown;
    Run(list, [&] {
        shown = list.Memo1->toPlainText();
        QTest::mouseClick(list.BitBtn1, Qt::LeftButton);
    });
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(shown, ListHeading + QStringLiteral("\n "));
    Store(22, 2);
    Run(list, [&] { shown = list.Memo1->toPlainText(); });
    EXPECT_EQ(shown.split(u'\n').last(), TaskLine(22, 2));
    // A name from a file made elsewhere keeps its task on one line.
    OwnTaskSlot(22).FileName.Assign("Opg\n2\t2.kvn");
    Run(list, [&] { shown = list.Memo1->toPlainText(); });
    EXPECT_EQ(shown.split(u'\n'),
              (QStringList{ListHeading, Blank, QStringLiteral("     Opg?2?2.kvn            2")}));
    EXPECT_TRUE(list.Memo1->isReadOnly());
}

} // namespace
