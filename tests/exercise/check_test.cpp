// SPDX-License-Identifier: GPL-3.0-or-later
// The check: questions, answers typed into the answer dialog, the log rows,
// "Udfør kontrol" and the colours of the results; and the dialog itself.
#include "exercise_fixture.h"

#include <QInputMethodEvent>

using namespace KolvErkl;

namespace {

const QColor Red(255, 0, 0);

class CheckTest : public ExerciseTest {
protected:
    // Task 1 adds the values of a question.
    int sumOfQuestion(int row) const {
        int sum = 0;
        for (int j = 0; j < NumberOfVariables; ++j)
            sum += form->ObservationTable[row].Inputs[j].toInt();
        return sum;
    }
    QRect resultText(int row) const { return QRect(530, 50 * row + 29, 60, 19); }
};

TEST_F(CheckTest, QuestionsAreNeverNegative) {
    defineOwnTask(30, 3, "x-y");
    startTask(30);
    for (int round = 0; round < 20; ++round) {
        click(form->SpeedButton15);
        for (int i = 1; i <= TForm2::CheckRows; ++i) {
            EXPECT_GE(form->CorrectOutputs[i], 0);
            EXPECT_EQ(form->CorrectOutputs[i], form->ObservationTable[i].Inputs[0].toInt() -
                                                   form->ObservationTable[i].Inputs[1].toInt());
            EXPECT_EQ(form->AnswerTexts[i], "  ");
        }
    }
    // Only (9, 9, 9) gives an output of 0 or more: still a check, not a refusal.
    defineOwnTask(31, 3, "x+y+z-27");
    startTask(31);
    for (int round = 0; round < 5; ++round) {
        click(form->SpeedButton15);
        ASSERT_TRUE(messages.empty()) << round;
        EXPECT_EQ(form->ExerciseMode, TForm2::Check);
        for (int i = 1; i <= TForm2::CheckRows; ++i)
            EXPECT_EQ(form->ObservationTable[i].Inputs[2], " 9");
    }

    // Only negative outputs: no check, but the task and its mode go on, from
    // observing and from experimenting alike. A task without any value stops.
    struct Case {
        const char* formula;
        bool experimenting;
        const char* message;
        TForm2::Mode after;
    };
    const char* const onlyNegative =
        "Maskinen kan ikke lave en kontrol med denne opgave: den giver kun negative tal.";
    const char* const noValue =
        "Maskinen kan ikke give nogen værdier med denne opgave: formlen "
        "giver fejl for alle de tal, der blev prøvet. Vælg en anden opgave.";
    const Case cases[] = {
        {"x-y-20", false, onlyNegative, TForm2::Observe},
        {"x-y-20", true, onlyNegative, TForm2::Experiment},
        {"x*10000+1", false, noValue, TForm2::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        defineOwnTask(32, 3, c.formula);
        startTask(32);
        if (c.experimenting)
            click(form->SpeedButton14);
        const QStringList log = ActivityLog;
        const QString label = form->Label2->text();
        messages.clear();
        click(form->SpeedButton15);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].first, QString::fromUtf8(c.message));
        EXPECT_EQ(messages[0].second, " ");
        EXPECT_EQ(form->ExerciseMode, c.after);
        EXPECT_EQ(ActivityLog, log);
        if (c.after == TForm2::None)
            continue;
        EXPECT_EQ(form->Label2->text(), label);
        EXPECT_EQ(form->Panel5->isVisible(), c.experimenting);
        EXPECT_FALSE(form->SpeedButton16->isVisible());
        EXPECT_TRUE(form->SpeedButton13->isEnabled());
        click(form->SpeedButton13); // observing still works
        EXPECT_EQ(form->ExerciseMode, TForm2::Observe);
    }
}

TEST_F(CheckTest, AnswersAreLoggedCountedAndShown) {
    clock = 0;
    startTask(1, 3);
    clock = 10;
    click(form->SpeedButton15);
    const int before = int(ActivityLog.size());

    answer(1, QString::number(sumOfQuestion(1)));
    answer(2, "00" + QString::number(sumOfQuestion(2))); // leading zeros
    answer(3, QString::number(sumOfQuestion(3) + 1));
    answer(4, QString::number(sumOfQuestion(4) + 2));
    EXPECT_FALSE(form->SpeedButton16->isEnabled());
    answer(5, QString::number(sumOfQuestion(5)));
    EXPECT_TRUE(form->SpeedButton16->isEnabled());
    EXPECT_FALSE(form->SpeedButton10->isEnabled());

    ASSERT_EQ(ActivityLog.size(), before + 5);
    for (int i = 1; i <= 5; ++i) {
        const bool right = i == 1 || i == 2 || i == 5;
        const QString& line = ActivityLog.at(before + i - 1);
        const QString question =
            ValueRowStart({form->ObservationTable[i].Inputs[0], form->ObservationTable[i].Inputs[1],
                           form->ObservationTable[i].Inputs[2]});
        const int given = sumOfQuestion(i) + (i == 3 ? 1 : i == 4 ? 2 : 0);
        EXPECT_EQ(line, question + NumberInWidth(given, 5) + NumberInWidth(sumOfQuestion(i), 5) +
                            (right ? "    OK" : ""));
        EXPECT_EQ(line.mid(33, 5), NumberInWidth(given, 5));
    }

    // Results: black for right answers, red for wrong ones.
    EXPECT_FALSE(anyPixel(picture(), resultText(1), Qt::black));
    click(form->SpeedButton16);
    EXPECT_TRUE(form->SpeedButton10->isEnabled());
    EXPECT_TRUE(host.printMenuEnabled);
    QImage image = picture();
    for (int i = 1; i <= 5; ++i) {
        const bool right = i != 3 && i != 4;
        EXPECT_EQ(image.pixelColor(520, 50 * i + 20), QColor(128, 128, 128));
        EXPECT_EQ(anyPixel(image, resultText(i), Red), !right) << i;
        EXPECT_EQ(anyPixel(image, resultText(i), Qt::black), right) << i;
    }

    // Answering row 3 again hides the results; the colour follows the new answer.
    answer(3, QString::number(sumOfQuestion(3)));
    EXPECT_EQ(picture().pixelColor(520, 70), QColor(0, 128, 0));
    click(form->SpeedButton16);
    EXPECT_FALSE(anyPixel(picture(), resultText(3), Red));

    clock = 40;
    click(form->SpeedButton10);
    const QStringList summary = ActivityLog.filter("Kontrollér");
    ASSERT_EQ(summary.size(), 1);
    EXPECT_EQ(summary[0], "     30      Kontrollér          6   Antal rigtige:  4");
}

TEST_F(CheckTest, TwoVariableAnswerRowsMoveSixColumnsLeft) {
    startTask(1, 2);
    click(form->SpeedButton15);
    answer(4, QString::number(sumOfQuestion(4)));
    const QString line = ActivityLog.last();
    EXPECT_EQ(parseLogRow(line, 2).arrow, "--->");
    EXPECT_EQ(line.mid(27, 5), NumberInWidth(sumOfQuestion(4), 5));
    EXPECT_TRUE(line.endsWith("    OK"));
}

TEST_F(CheckTest, FiveAnswersToOneRowEnableTheResults) {
    startTask(1);
    click(form->SpeedButton15);
    for (int k = 0; k < 5; ++k)
        answer(2, "1");
    EXPECT_TRUE(form->SpeedButton16->isEnabled());
    click(form->SpeedButton16);
    const QImage image = picture();
    EXPECT_TRUE(anyPixel(image, resultText(2), Red));
    for (int i : {1, 3, 4, 5}) // empty results fields
        EXPECT_FALSE(anyPixel(image, resultText(i), Qt::black)) << i;
}

TEST_F(CheckTest, RefusedOrClosedDialogRecordsNothing) {
    startTask(1);
    click(form->SpeedButton15);
    const int before = int(ActivityLog.size());
    answer(1, "");            // OK on an empty field
    answer(1, "99999999999"); // more than 32 bits
    answer(1, "-x ");         // nothing but refused characters
    clickPicture(420, 80);    // beside the answer field: no dialog
    EXPECT_EQ(ActivityLog.size(), before);
    EXPECT_EQ(DataSetCount, 0);
    EXPECT_EQ(form->AnswerTexts[1], "  ");
}

TEST_F(CheckTest, AnswerDialogOpensNextToItsRow) {
    startTask(1);
    click(form->SpeedButton15);
    const std::pair<int, QPoint> places[] = {
        {1, {410, 164}}, {3, {410, 264}}, {4, {410, 174}}, {5, {410, 224}}};
    for (const auto& [row, expected] : places) {
        QPoint placed;
        QTimer::singleShot(0, [&placed] {
            placed = Form4->pos();
            Form4->done(QDialog::Rejected);
        });
        clickPicture(500, 50 * row + 50);
        // Below the rows 1..3, above the rows 4 and 5.
        EXPECT_EQ(placed, form->mapToGlobal(expected)) << row;
    }
}

// ---- The answer dialog on its own ---------------------------------------

class AnswerDialogTest : public ::testing::Test {
protected:
    void SetUp() override { dialog.show(); }
    void TearDown() override {
        dialog.close();
        ResetProgramState();
    }
    TForm4 dialog;
};

TEST_F(AnswerDialogTest, FieldTakesDigitsOnly) {
    struct Case {
        const char* keys;
        const char* field;
    };
    const Case cases[] = {{"12", "12"}, {"-5", "5"}, {"a1 b2,3.", "123"}, {"+0", "0"}, {"æ9", "9"}};
    for (const Case& c : cases) {
        dialog.Edit1->clear();
        QTest::keyClicks(dialog.Edit1, c.keys);
        EXPECT_EQ(dialog.Edit1->text(), c.field) << c.keys;
    }
    QTest::keyClick(dialog.Edit1, Qt::Key_Backspace);
    EXPECT_EQ(dialog.Edit1->text(), "");
    // Text that is not typed key by key: a middle-click paste or a drop (both
    // insert it) and an input method's commit.
    for (const QString& text : {QStringLiteral("-5"), QStringLiteral("4 2"), QStringLiteral("7")}) {
        dialog.Edit1->clear();
        dialog.Edit1->insert(text);
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QApplication::sendEvent(dialog.Edit1, &composed);
        EXPECT_EQ(dialog.Edit1->text(), text == "7" ? "77" : "") << text.toStdString();
    }
    dialog.Edit1->clear();
    // Delete types nothing, though the window system gives it a character.
    QTest::keyClicks(dialog.Edit1, "123");
    QTest::keyClick(dialog.Edit1, Qt::Key_Home);
    QTest::sendKeyEvent(QTest::Click, dialog.Edit1, Qt::Key_Delete, QChar(0x7f), {});
    EXPECT_EQ(dialog.Edit1->text(), "23");
    // Tab moves on to OK, as in any dialog.
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.Edit1, Qt::Key_Tab);
    EXPECT_TRUE(dialog.BitBtn1->hasFocus());
}

TEST_F(AnswerDialogTest, EnterAcceptsAFilledFieldAndRefusesTheRest) {
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.AnswerText.isEmpty());

    QTest::keyClicks(dialog.Edit1, "2147483648");
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Edit1->text().isEmpty());

    QTest::keyClicks(dialog.Edit1, "2147483647");
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.AnswerText, "2147483647");

    dialog.show(); // opening again starts with an empty field
    EXPECT_TRUE(dialog.Edit1->text().isEmpty());
    EXPECT_TRUE(dialog.AnswerText.isEmpty());
}

TEST_F(AnswerDialogTest, CloseBoxRecordsNothingAndF1OpensHelp) {
    int helps = 0;
    HelpHook = [&helps] { ++helps; };
    QTest::keyClick(dialog.Edit1, Qt::Key_F1);
    EXPECT_EQ(helps, 1);

    QTest::keyClicks(dialog.Edit1, "7");
    dialog.reject();
    EXPECT_TRUE(dialog.AnswerText.isEmpty());
    EXPECT_EQ(dialog.windowTitle(), " "); // shown empty, not as the program's name
    EXPECT_EQ(dialog.size(), QSize(180, 71));
    EXPECT_EQ(dialog.BitBtn1->text(), "&OK");
}

} // namespace
