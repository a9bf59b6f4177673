// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window driven as a pupil drives it: toolbar, keypad and
// clicks on the picture; checked through the log, the labels and the
// controls' states.
#include "exercise_fixture.h"

#include "catalogue_ui/task_picker.h"
#include "engine/draw_budget.h"
#include "exercise/picture_geometry.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>

using namespace KolvErkl;

namespace {

// The three mode buttons, enabled or not.
std::array<bool, 3> modeButtons(TForm2* form) {
    return {form->SpeedButton13->isEnabled(), form->SpeedButton14->isEnabled(),
            form->SpeedButton15->isEnabled()};
}

bool keypadEnabled(TForm2* form) {
    for (int digit = 1; digit <= 9; ++digit)
        if (!form->KeypadButtons[digit]->isEnabled())
            return false;
    return true;
}

using ExerciseWindowTest = ExerciseTest;

TEST_F(ExerciseWindowTest, LaysOutToolbarKeypadAndPictureOverTheMainWindow) {
    EXPECT_EQ(form->geometry(), QRect(0, 0, 800, 600));
    main->resize(900, 700);
    form->FillClientArea();
    EXPECT_EQ(form->size(), QSize(900, 700));

    // The hint names the button's key after its plain words; the accessible
    // name is the plain words.
    struct Button {
        const char* name;
        int x;
        const char* words;
        const char* key;
    };
    const Button buttons[] = {
        {"SpeedButton10", 18, "Udskriv", "Ctrl+P"},
        {"SpeedButton11", 54, "Navn eller overskrift til udskrifter", "N"},
        {"SpeedButton18", 90, "Kopier forløbet til Klippebordet", "Ctrl+C"},
        {"SpeedButton12", 146, "2 eller 3 variable", "A"},
        {"SpeedButton17", 182, "Vælg opgave", "V"},
        {"SpeedButton13", 238, "Observér", "O"},
        {"SpeedButton14", 276, "Eksperimentér", "E"},
        {"SpeedButton15", 314, "Kontrollér", "K"},
        {"SpeedButton16", 544, "Udfør kontrol", "U"},
    };
    for (const Button& b : buttons) {
        auto* button = form->findChild<QToolButton*>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        const int y = button == form->SpeedButton16 ? 24 : 8;
        EXPECT_EQ(button->geometry(), QRect(b.x, y, 33, 33)) << b.name;
        EXPECT_EQ(button->toolTip(), u"%1 (%2)"_qs.arg(QString::fromUtf8(b.words), b.key));
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(b.words));
    }
    EXPECT_EQ(form->Panel1->geometry(), QRect(0, 0, 900, 49));
    EXPECT_EQ(form->ScrollBox1->geometry(), QRect(0, 49, 900, 651));
    EXPECT_EQ(form->PaintBox1->size(), form->ScrollBox1->size());
    EXPECT_EQ(form->SpeedButton16->geometry(), QRect(544, 24, 33, 33));
    EXPECT_EQ(form->KeypadButtons[4]->geometry(), QRect(170, 16, 25, 25));

    // The keypad pushes the picture down while it is shown.
    startTask(1);
    click(form->SpeedButton14);
    EXPECT_EQ(form->Panel5->geometry(), QRect(0, 49, 900, 56));
    EXPECT_EQ(form->ScrollBox1->geometry(), QRect(0, 105, 900, 595));
    click(form->SpeedButton13);
    EXPECT_EQ(form->ScrollBox1->geometry(), QRect(0, 49, 900, 651));
}

TEST_F(ExerciseWindowTest, AWindowTooSmallForThePictureScrollsItAndKeepsTheLabelsWhole) {
    main->resize(500, 300); // a small screen, or a large scale factor
    form->FillClientArea();
    startTask(3);
    // The labels go beneath the buttons, where they are not cut off.
    EXPECT_EQ(form->Label1->pos(), QPoint(12, 47));
    EXPECT_GE(form->Panel1->height(), form->Label2->geometry().bottom());
    EXPECT_LE(form->Label1->x() + form->Label1->sizeHint().width(), form->width());
    // Every row and the check's button lie on the picture, which scrolls.
    click(form->SpeedButton15);
    const QSize picture = form->PaintBox1->size();
    EXPECT_GE(picture.width(), form->SpeedButton16->geometry().right() + 1);
    EXPECT_GE(picture.width(), CheckField(5, ResultColumn).right() + 1);
    click(form->SpeedButton14);
    EXPECT_GE(form->PaintBox1->height(), ExperimentField(TForm2::GridRows, 1).bottom() + 1);
    // The keyboard cursor's field is scrolled into sight.
    for (int step = 0; step < TForm2::GridRows; ++step)
        form->ArrowKey(KeyboardCursor::Down);
    const QRect field = form->KeyCursorField();
    ASSERT_FALSE(field.isNull());
    const QRect shown(-form->PaintBox1->pos(), form->ScrollBox1->viewport()->size());
    EXPECT_TRUE(shown.contains(field))
        << field.y() << " not within " << shown.y() << ".." << shown.bottom();
}

TEST_F(ExerciseWindowTest, HiddenWindowDoesNotFollowTheMainWindow) {
    form->hide();
    main->resize(1000, 500);
    form->FillClientArea();
    EXPECT_EQ(form->size(), QSize(800, 600));
}

TEST_F(ExerciseWindowTest, StartTaskWritesTaskLineAndThreeObservations) {
    for (int variables : {2, 3}) {
        SCOPED_TRACE(variables);
        startTask(1, variables);
        const QStringList& log = ActivityLog;
        ASSERT_EQ(log.size(), 7);
        EXPECT_EQ(log.at(0),
                  QStringLiteral("           Opgave nummer:  1     (%1 variable)").arg(variables));
        EXPECT_EQ(log.mid(1, 3), QStringList({" ", " Observationer:", " "}));
        const int arrow = variables == 3 ? 30 : 24;
        for (const QString& row : log.mid(4)) {
            // Task 1 adds the values.
            const LogRow parsed = parseLogRow(row, variables);
            int sum = 0;
            for (const int value : parsed.values) {
                EXPECT_GE(value, 1);
                EXPECT_LE(value, 9);
                sum += value;
            }
            EXPECT_EQ(parsed.arrow, "--->");
            EXPECT_EQ(row.mid(arrow + 3), NumberInWidth(sum, 5));
            EXPECT_EQ(row.size(), arrow + 8);
        }
        EXPECT_EQ(form->Label1->text(), "Opgave nummer:  1");
        EXPECT_EQ(form->Label2->text(), "OBSERVÉR");
        EXPECT_EQ(form->ExerciseMode, TForm2::Observe);
    }
}

TEST_F(ExerciseWindowTest, ModeChangesWriteHeadingsAndTidLines) {
    clock = 100;
    startTask(7);
    clock = 103;
    click(form->SpeedButton13); // observe again: no heading, no Tid line
    clock = 110;
    click(form->SpeedButton14);
    clock = 111;
    click(form->SpeedButton14); // experiment again: a new heading
    clock = 120.5;
    click(form->SpeedButton13);
    clock = 125;
    click(form->SpeedButton15);
    clock = 126;
    click(form->SpeedButton15); // check again: no heading

    QStringList shape;
    for (const QString& line : ActivityLog)
        shape << (line.contains("--->") ? QStringLiteral("row") : line);
    const QStringList expected = {
        "           Opgave nummer:  7     (3 variable)",
        " ",
        " Observationer:",
        " ",
        "row",
        "row",
        "row",
        " ",
        "row",
        "row",
        "row",
        "           Tid: 10 sekunder",
        " ",
        " Eksperimentér:",
        " ",
        " ",
        " Eksperimentér:",
        " ",
        "           Tid: 10 sekunder",
        " ",
        " ",
        " Observationer:",
        " ",
        "row",
        "row",
        "row",
        "           Tid: 4 sekunder",
        " ",
        " Kontrol:",
        " ",
        " ",
    };
    EXPECT_EQ(shape, expected);
    EXPECT_EQ(ActivityTable[1].DataSets, 6);
    EXPECT_EQ(ActivityTable[3].Duration, 4); // 120.5 .. 125: 4.5 goes to 4
}

TEST_F(ExerciseWindowTest, ControlStatesFollowTheMode) {
    form->SpeedButton10->setEnabled(false);
    form->DisableModeButtons();
    EXPECT_EQ(modeButtons(form), (std::array{false, false, false}));

    startTask(2);
    EXPECT_EQ(modeButtons(form), (std::array{true, true, true}));
    EXPECT_TRUE(form->SpeedButton10->isEnabled());
    EXPECT_TRUE(host.printMenuEnabled);
    EXPECT_TRUE(form->Panel5->isHidden());
    EXPECT_TRUE(form->SpeedButton16->isHidden());

    click(form->SpeedButton14);
    EXPECT_FALSE(form->Panel5->isHidden());
    EXPECT_TRUE(keypadEnabled(form));
    EXPECT_EQ(form->Label2->text(), "EKSPERIMENTÉR");

    click(form->SpeedButton15);
    EXPECT_TRUE(form->Panel5->isHidden());
    EXPECT_FALSE(form->SpeedButton16->isHidden());
    EXPECT_FALSE(form->SpeedButton16->isEnabled());
    EXPECT_FALSE(form->SpeedButton10->isEnabled());
    EXPECT_FALSE(host.printMenuEnabled);
    EXPECT_EQ(form->Label2->text(), "KONTROLLÉR");

    // Choosing 3 variables stops the task but keeps the log and the print button.
    const QStringList log = ActivityLog;
    click(form->SpeedButton12);
    EXPECT_TRUE(form->SpeedButton16->isHidden());
    form->PopupMenu1->hide();
    form->N3variable1->trigger();
    EXPECT_EQ(form->ExerciseMode, TForm2::None);
    EXPECT_EQ(modeButtons(form), (std::array{false, false, false}));
    EXPECT_TRUE(form->Label1->text().isEmpty());
    EXPECT_TRUE(form->Label2->text().isEmpty());
    EXPECT_FALSE(form->SpeedButton10->isEnabled());
    EXPECT_EQ(ActivityLog, log);
    EXPECT_EQ(NumberOfVariables, 3);

    form->N2variable1->trigger();
    EXPECT_EQ(NumberOfVariables, 2);
}

TEST_F(ExerciseWindowTest, TwoVariablesOneDigitCompletesARow) {
    startTask(1, 2);
    click(form->SpeedButton14);
    const int before = int(ActivityLog.size());

    clickCell(1, 2); // cell first, then digit
    pressDigit(4);
    pressDigit(6); // digit first, then cell
    clickCell(2, 1);

    ASSERT_EQ(ActivityLog.size(), before + 2);
    const auto& grid = form->ExperimentGrid;
    EXPECT_EQ(grid[1].Inputs[1], "4");
    EXPECT_EQ(grid[2].Inputs[0], "6");
    for (int i = 1; i <= 2; ++i) {
        const int sum = grid[i].Inputs[0].toInt() + grid[i].Inputs[1].toInt();
        EXPECT_EQ(grid[i].Output, NumberInWidth(sum, 5));
        EXPECT_EQ(ActivityLog.at(before + i - 1),
                  ExperimentRowLine({grid[i].Inputs[0], grid[i].Inputs[1]}, grid[i].Output));
    }
    EXPECT_EQ(ActivityLog.at(before).mid(23, 4), "--->");
    EXPECT_EQ(DataSetCount, 2);
}

TEST_F(ExerciseWindowTest, ThreeVariablesSecondDigitCompletesARow) {
    startTask(1, 3);
    click(form->SpeedButton14);
    const int before = int(ActivityLog.size());

    pressDigit(2);
    pressDigit(3); // only the last digit waits
    clickCell(1, 3);
    EXPECT_EQ(form->ExperimentGrid[1].Inputs[2], "3");
    EXPECT_EQ(ActivityLog.size(), before);

    clickCell(1, 3); // a filled cell is never hit
    pressDigit(5);
    EXPECT_EQ(ActivityLog.size(), before);
    clickCell(1, 1);
    const auto& row = form->ExperimentGrid[1];
    EXPECT_EQ(row.Inputs[0], "5");
    const int y = row.Inputs[1].toInt();
    EXPECT_GE(y, 1);
    EXPECT_LE(y, 9);
    EXPECT_EQ(row.Output, NumberInWidth(5 + y + 3, 5));
    ASSERT_EQ(ActivityLog.size(), before + 1);
    EXPECT_EQ(ActivityLog.last().mid(29, 4), "--->");
}

TEST_F(ExerciseWindowTest, ClicksOutsideTheCellsChangeNothing) {
    startTask(1, 2);
    click(form->SpeedButton14);
    pressDigit(7);
    const std::pair<int, int> misses[] = {
        {59, 40},  {131, 40},  {150, 40},  {290, 40}, // left of and between cells; column 3 unused
        {100, 70}, {100, 75},                         // between rows 1 and 2
        {100, 9},  {100, 331}, {100, 360},            // above row 1, below row 6
        {470, 40},                                    // the output field
    };
    for (auto [x, y] : misses)
        clickPicture(x, y);
    for (int i = 1; i <= TForm2::GridRows; ++i)
        EXPECT_TRUE(form->ExperimentGrid[i].Inputs[0].isEmpty()) << i;
    // The bounds themselves belong to the cell.
    clickPicture(60, 30);
    EXPECT_EQ(form->ExperimentGrid[1].Inputs[0], "7");
    pressDigit(8);
    clickPicture(130, 315);
    EXPECT_EQ(form->ExperimentGrid[6].Inputs[0], "8");
}

TEST_F(ExerciseWindowTest, DigitAfterRowSixScrollsTheGridUp) {
    startTask(1, 2);
    click(form->SpeedButton14);
    for (int i = 1; i <= 6; ++i) {
        clickCell(i, 1);
        pressDigit(i);
    }
    const auto before = form->ExperimentGrid;
    pressDigit(9); // no cell chosen, row 6 current
    const auto& grid = form->ExperimentGrid;
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(grid[i].Inputs[0], before[i + 1].Inputs[0]);
        EXPECT_EQ(grid[i].Inputs[1], before[i + 1].Inputs[1]);
        EXPECT_EQ(grid[i].Output, before[i + 1].Output);
    }
    EXPECT_EQ(grid[6].Inputs[0], " ");
    EXPECT_EQ(grid[6].Output, " ");
    EXPECT_EQ(form->ExperimentGrid.CurrentRow(), 5);

    clickCell(6, 1); // the blanked row takes the waiting digit
    EXPECT_EQ(grid[6].Inputs[0], "9");
    EXPECT_NE(grid[6].Output, " ");
    EXPECT_EQ(DataSetCount, 7);
}

TEST_F(ExerciseWindowTest, PrintAndCopyInTheExperimentLockTheKeypad) {
    clock = 50;
    startTask(4, 2);
    clock = 60;
    click(form->SpeedButton14);
    clickCell(1, 1);
    pressDigit(3);
    pressDigit(5); // waits for a cell
    clock = 70;
    click(form->SpeedButton10);
    EXPECT_EQ(host.prints, 1);
    EXPECT_FALSE(keypadEnabled(form));
    EXPECT_EQ(form->ExerciseMode, TForm2::Experiment);
    EXPECT_FALSE(form->Panel5->isHidden());
    // The locked keypad let the waiting digit go: a blank cell takes nothing.
    const QStringList printed = ActivityLog;
    clickCell(2, 1);
    EXPECT_TRUE(form->ExperimentGrid[2].Inputs[0].isEmpty());
    EXPECT_EQ(ActivityLog, printed);

    const int header = int(ActivityLog.indexOf("    Tid      Aktivitet       Antal datasæt "));
    ASSERT_GT(header, 0);
    EXPECT_EQ(ActivityLog.mid(header + 2, 6),
              QStringList({" ", "     10      Observér            3",
                           "     10      Eksperimentér       1", "   ----", "     20", " "}));

    click(form->SpeedButton18);
    const QStringList copied = QGuiApplication::clipboard()->text().split('\n');
    EXPECT_EQ(copied.mid(0, 2), QStringList({"Kolvane", " "}));
    EXPECT_EQ(copied.mid(2), ActivityLog);

    click(form->SpeedButton14);
    EXPECT_TRUE(keypadEnabled(form));
    click(form->SpeedButton11);
    EXPECT_EQ(host.headingDialogs, 1);
}

TEST_F(ExerciseWindowTest, LabelNamesExtraTasksOnlyWithThreeVariables) {
    defineOwnTask(25, 2, "x+y");
    ExtraTaskMode = true;
    for (int i = 1; i <= ExtraTaskCount; ++i)
        ExtraTasks[i] = ExtraTask{3, "x+y+z"};
    struct Case {
        int task, variables;
        const char* label;
    };
    const Case cases[] = {
        {5, 3, "Ekstraopgave nummer:  5"},
        {5, 2, "Opgave nummer:  5"},
        {25, 2, "Opgave nummer: 25"},
    };
    for (const Case& c : cases) {
        startTask(c.task, c.variables);
        EXPECT_EQ(form->Label1->text(), QString::fromUtf8(c.label));
    }
}

TEST_F(ExerciseWindowTest, OwnTaskRunsItsFormula) {
    defineOwnTask(23, 2, "10*x+y");
    startTask(23, 2);
    EXPECT_EQ(CurrentFormula, "10*x+y");
    for (const QString& line : ActivityLog.mid(4)) {
        const LogRow row = parseLogRow(line, 2);
        EXPECT_EQ(row.output, 10 * row.values[0] + row.values[1]) << line.toStdString();
    }
}

TEST_F(ExerciseWindowTest, CostlyFormulaGivesUpAtTheDeadlineOfTheClick) {
    // Each draw reads the clock once, and on this clock takes a millisecond.
    SteadyTime now{};
    DrawClock = [&now] { return now += std::chrono::milliseconds(1); };
    const std::shared_ptr<void> restore(nullptr, [](void*) { DrawClock = nullptr; });
    const auto gaveUpAtTheDeadline = [&now] {
        const auto spent = now - SteadyTime{};
        now = {};
        return spent >= DrawBudget::DefaultTime &&
               spent < DrawBudget::DefaultTime + std::chrono::milliseconds(5);
    };
    // Regression: a file made outside the program, a formula costly and never valid.
    defineOwnTask(21, 3, "d(2114305601)-d(2114305601)+d(1948819133)-d(1948819133)/0");
    startTask(21);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].first.contains("kan ikke give nogen værdier"));
    EXPECT_TRUE(gaveUpAtTheDeadline());

    // Never 0 or more: the observation works, the check gives up.
    messages.clear();
    defineOwnTask(22, 3, "x-20+d(2114305601)-d(2114305601)");
    startTask(22);
    EXPECT_TRUE(messages.empty());
    now = {};
    click(form->SpeedButton15);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(gaveUpAtTheDeadline());
}

// Picks a task number in the picker as the pupil types it.
void pickInPicker(TForm2* form, const QString& number) {
    Form3 = new TForm3;
    QTimer::singleShot(0, [number] {
        auto* picker = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        picker->Edit1->setText(number);
        QTest::keyClick(picker->Edit1, Qt::Key_Return);
    });
    QTest::mouseClick(form->SpeedButton17, Qt::LeftButton);
    delete Form3;
    Form3 = nullptr;
}

TEST_F(ExerciseWindowTest, FreeOwnTaskSlotIsRefusedAndTheRunningTaskGoesOn) {
    defineOwnTask(30, 3, "x+y+z");
    RaiseOwnTaskSpan(30); // the picker offers 1..30
    startTask(3);
    click(form->SpeedButton14);
    clickCell(1, 1); // a cell waits for its digit
    const QStringList log = ActivityLog;
    pickInPicker(form, "22");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "Der er ikke defineret nogen opgave med dette nummer");
    EXPECT_EQ(messages[0].second, " ");
    EXPECT_EQ(CurrentTask, 3);
    EXPECT_EQ(form->ExerciseMode, TForm2::Experiment);
    EXPECT_EQ(form->Label1->text(), "Opgave nummer:  3");
    EXPECT_EQ(form->Label2->text(), "EKSPERIMENTÉR");
    EXPECT_EQ(modeButtons(form), (std::array{true, true, true}));
    EXPECT_FALSE(form->Panel5->isHidden());
    EXPECT_EQ(ActivityLog, log);
    ASSERT_EQ(ActivityCount, 2);
    EXPECT_EQ(ActivityTable[1].DataSets, 3);
    pressDigit(4); // the waiting cell takes it
    EXPECT_EQ(form->ExperimentGrid[1].Inputs[0], "4");

    // With no task running the window stays in None, the mode buttons off.
    form->N3variable1->trigger();
    pickInPicker(form, "22");
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(form->ExerciseMode, TForm2::None);
    EXPECT_EQ(modeButtons(form), (std::array{false, false, false}));
}

TEST_F(ExerciseWindowTest, FormulaThatAlwaysFailsStopsInsteadOfHanging) {
    defineOwnTask(21, 3, "x/(y-y)");
    startTask(21);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].first.contains("kan ikke give nogen værdier"));
    EXPECT_EQ(form->ExerciseMode, TForm2::None);
    EXPECT_EQ(modeButtons(form), (std::array{false, false, false}));
    EXPECT_TRUE(form->Label1->text().isEmpty());
    EXPECT_TRUE(form->Label2->text().isEmpty());
    // No heading and no activity for observations that never came.
    EXPECT_EQ(ActivityLog, QStringList({"           Opgave nummer: 21     (3 variable)", " "}));
    EXPECT_EQ(ActivityCount, 0);

    // A formula that is never 0 or more cannot make check questions; the
    // observations before it stay as they were, still in progress, and the
    // task goes on.
    messages.clear();
    defineOwnTask(22, 3, "x-20");
    clock = 1000;
    startTask(22);
    EXPECT_TRUE(messages.empty());
    const QStringList log = ActivityLog;
    clock = 1010;
    click(form->SpeedButton15);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(form->ExerciseMode, TForm2::Observe);
    EXPECT_TRUE(form->SpeedButton16->isHidden());
    EXPECT_EQ(ActivityLog, log);
    clock = 1020;
    click(form->SpeedButton18);
    EXPECT_TRUE(ActivityLog.contains("     20      Observér            3"))
        << "the summary counts the observations";
    EXPECT_TRUE(ActivityLog.filter("Kontrollér").isEmpty());
}

TEST_F(ExerciseWindowTest, ExperimentRowWhoseDrawsAllFailShowsTheInvalidOutput) {
    defineOwnTask(24, 2, "x/(y-5)");
    startTask(24, 2);
    click(form->SpeedButton14);
    clickCell(1, 2);
    pressDigit(5);
    const auto& row = form->ExperimentGrid[1];
    EXPECT_EQ(row.Output, " ****");
    EXPECT_FALSE(row.Inputs[0].isEmpty());
    EXPECT_EQ(ActivityLog.last(), ExperimentRowLine({row.Inputs[0], "5"}, " ****"));
}

TEST_F(ExerciseWindowTest, ChooseTaskStartsOnlyWhenATaskWasPicked) {
    startTask(2);
    Form3 = new TForm3;
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); }); // "&Fortryd"
    click(form->SpeedButton17);
    delete Form3;
    Form3 = nullptr;
    EXPECT_EQ(form->ExerciseMode, TForm2::Observe);
    EXPECT_EQ(ActivityLog.at(0), "           Opgave nummer:  2     (3 variable)");
    // The task in force keeps its rule: task 2 gives the largest minus the smallest value.
    click(form->SpeedButton13);
    const QString& line = ActivityLog.last();
    const LogRow row = parseLogRow(line, 3);
    const auto [smallest, largest] = std::minmax_element(row.values.begin(), row.values.end());
    EXPECT_EQ(row.output, *largest - *smallest) << line.toStdString();
}

TEST_F(ExerciseWindowTest, StartupFileThatCannotBeReadIsReported) {
    ProgramArguments = {"/nonexistent/folder/Opg21.kvn"};
    form->hide();
    form->show();
    ProgramArguments.clear();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "Fejl ved læsning ");
    EXPECT_FALSE(messages[0].first.isEmpty());
    EXPECT_EQ(form->ExerciseMode, TForm2::None);
}

} // namespace
