// SPDX-License-Identifier: GPL-3.0-or-later
// The experiment's grid on its own: cells and digits chosen in either order,
// the machine's draw of a row's last value, and the scroll, written as small
// grids of digits and blank ('.') cells.
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "exercise/experiment_grid.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace KolvErkl;
using Entry = ExperimentGrid::Entry;

namespace {

class ExperimentGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        SeedRandom(20260);
        CurrentTask = 1; // the machine adds the values
    }
    void TearDown() override { ResetProgramState(); }
};

// "c23" chooses the cell in row 2, column 3; "5" chooses the digit 5.
Entry enter(ExperimentGrid& grid, const std::string& step) {
    if (step[0] == 'c')
        return grid.ChooseCell(step[1] - '0', step[2] - '0');
    return grid.ChooseDigit(step[0] - '0');
}

// The grid's rows from the top, '.' for a blank cell; the rows below the
// last one given are blank.
std::vector<std::string> cells(const ExperimentGrid& grid, std::size_t rows) {
    std::vector<std::string> picture;
    for (std::size_t i = 1; i <= rows; ++i) {
        std::string row;
        for (int j = 1; j <= NumberOfVariables; ++j)
            row += grid.IsBlank(int(i), j) ? '.' : grid[int(i)].Inputs[j - 1].toStdString()[0];
        picture.push_back(row);
    }
    return picture;
}

TEST_F(ExperimentGridTest, ACellAndADigitMeetInEitherOrder) {
    struct Case {
        const char* name;
        int variables;
        std::vector<std::string> steps;
        std::vector<std::string> rows; // '?' for the value the machine drew
        Entry last;
        bool cellWaits, digitWaits;
    };
    const Case cases[] = {
        {"cell, then digit", 3, {"c12", "4"}, {".4."}, Entry::Filled, false, false},
        {"digit, then cell", 3, {"4", "c21"}, {"...", "4.."}, Entry::Filled, false, false},
        {"a cell waits", 3, {"c13"}, {"..."}, Entry::Waiting, true, false},
        {"the latest cell takes the digit",
         3,
         {"c11", "c22", "7"},
         {"...", ".7."},
         Entry::Filled,
         false,
         false},
        {"the latest digit waits", 3, {"2", "3", "c13"}, {"..3"}, Entry::Filled, false, false},
        {"a filled cell is never chosen",
         3,
         {"c11", "5", "c11"},
         {"5.."},
         Entry::Nothing,
         false,
         false},
        {"a filled cell leaves the digit waiting",
         3,
         {"c11", "5", "6", "c11"},
         {"5.."},
         Entry::Nothing,
         false,
         true},
        {"the second value of three completes the row",
         3,
         {"c11", "1", "3", "c13"},
         {"1?3"},
         Entry::Completed,
         false,
         false},
        {"one value of two completes the row",
         2,
         {"c12", "4"},
         {"?4"},
         Entry::Completed,
         false,
         false},
        {"rows fill apart",
         2,
         {"c11", "4", "6", "c22"},
         {"4?", "?6"},
         Entry::Completed,
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NumberOfVariables = c.variables;
        ExperimentGrid grid;
        Entry last = Entry::Nothing;
        for (const std::string& step : c.steps)
            last = enter(grid, step);
        EXPECT_EQ(last, c.last);
        EXPECT_EQ(grid.CellWaiting(), c.cellWaits);
        EXPECT_EQ(grid.DigitWaiting(), c.digitWaits);
        const std::vector<std::string> shown = cells(grid, c.rows.size());
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const MachineRow& row = grid[int(i + 1)];
            int sum = 0;
            for (std::size_t j = 0; j < c.rows[i].size(); ++j) {
                sum += row.Inputs[j].toInt();
                if (c.rows[i][j] == '?')
                    EXPECT_NE(shown[i][j], '.') << "row " << i + 1;
                else
                    EXPECT_EQ(shown[i][j], c.rows[i][j]) << "row " << i + 1;
            }
            const bool complete = c.rows[i].find('.') == std::string::npos;
            EXPECT_EQ(row.Output, complete ? OutputText(sum) : QString()) << "row " << i + 1;
        }
        for (int i = int(c.rows.size()) + 1; i <= ExperimentGrid::Rows; ++i)
            EXPECT_EQ(cells(grid, i).back(), std::string(c.variables, '.')) << "row " << i;
    }
}

TEST_F(ExperimentGridTest, ADroppedOrClearedEntryTakesNothing) {
    NumberOfVariables = 3;
    ExperimentGrid grid;
    grid.ChooseDigit(3);
    grid.DropWaiting();
    EXPECT_EQ(grid.ChooseCell(1, 1), Entry::Waiting);
    grid.DropWaiting();
    EXPECT_EQ(grid.ChooseDigit(4), Entry::Waiting);
    EXPECT_EQ(cells(grid, 1), std::vector<std::string>{"..."});

    grid.ChooseCell(2, 2);
    grid.Clear();
    EXPECT_FALSE(grid.DigitWaiting());
    EXPECT_FALSE(grid.CellWaiting());
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(cells(grid, ExperimentGrid::Rows), std::vector<std::string>(6, "..."));
}

TEST_F(ExperimentGridTest, ADigitAfterTheLastRowScrollsOnlyOnce) {
    NumberOfVariables = 2;
    ExperimentGrid grid;
    for (int i = 1; i <= ExperimentGrid::Rows; ++i) {
        grid.ChooseCell(i, 1);
        grid.ChooseDigit(i);
    }
    std::vector<MachineRow> before;
    for (int i = 1; i <= ExperimentGrid::Rows; ++i)
        before.push_back(grid[i]);

    EXPECT_EQ(grid.ChooseDigit(9), Entry::Scrolled);
    EXPECT_TRUE(grid.DigitWaiting());
    EXPECT_EQ(grid.CurrentRow(), ExperimentGrid::Rows - 1);
    for (int i = 1; i < ExperimentGrid::Rows; ++i) {
        EXPECT_EQ(grid[i].Inputs, before[std::size_t(i)].Inputs) << i;
        EXPECT_EQ(grid[i].Output, before[std::size_t(i)].Output) << i;
    }
    // The row that came in is blank, its cells spaces as in the picture.
    EXPECT_EQ(grid[6].Inputs[0], " ");
    EXPECT_EQ(grid[6].Inputs[1], " ");
    EXPECT_EQ(grid[6].Output, " ");
    EXPECT_EQ(grid.ChooseDigit(8), Entry::Waiting) << "row 5 is current now";

    EXPECT_EQ(grid.ChooseCell(6, 2), Entry::Completed);
    EXPECT_EQ(grid[6].Inputs[1], "8");
    EXPECT_EQ(grid[6].Output, OutputText(grid[6].Inputs[0].toInt() + 8));
}

TEST_F(ExperimentGridTest, ARuleThatFailsForEveryDrawGivesTheInvalidOutput) {
    NumberOfVariables = 2;
    CurrentTask = BuiltInTasks + 1;
    CurrentFormula = "x/(y-5)";
    ExperimentGrid grid;
    grid.ChooseCell(1, 2);
    EXPECT_EQ(grid.ChooseDigit(5), Entry::Completed);
    EXPECT_EQ(grid[1].Output, OutputText(InvalidOutput));
    EXPECT_FALSE(grid.IsBlank(1, 1)) << "the last draw stays";
}

TEST(BlankCell, IsEmptyOrASpace) {
    EXPECT_TRUE(IsBlank(QString()));
    EXPECT_TRUE(IsBlank(QStringLiteral(" ")));
    EXPECT_FALSE(IsBlank(QStringLiteral("7")));
    EXPECT_FALSE(IsBlank(QStringLiteral("  ")));
}

} // namespace
