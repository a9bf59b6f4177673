// SPDX-License-Identifier: GPL-3.0-or-later
// The 40 built-in rules, one row each with hand-computed outputs, and the
// choice between built-in rules, extra tasks and own tasks.
#include "engine_test_support.h"

#include <vector>

using namespace KolvErkl;

namespace {

struct Case {
    int32_t x, y, z, output;
};

struct RuleRow {
    int32_t task;
    std::vector<Case> cases;
};

void ExpectRule(int32_t variables, const RuleRow& row) {
    for (const Case& c : row.cases) {
        ResetEngineState();
        NumberOfVariables = variables;
        CurrentTask = row.task;
        EXPECT_EQ(MachineOutput(c.x, c.y, c.z), c.output)
            << variables << " variables, task " << row.task << " on " << c.x << "," << c.y << ","
            << c.z;
        EXPECT_FALSE(FormulaError);
    }
}

// clang-format off
// z is set to values that would change the output if a 2-variable rule
// read it.
const RuleRow TwoVariableRows[] = {
    {1, {{3, 5, 9, 8}, {9, 9, 1, 18}}},
    {2, {{3, 5, 9, 5}, {7, 2, 9, 7}}},
    {3, {{3, 5, 1, 4}, {7, 2, 1, 3}}},
    {4, {{3, 5, 9, 5}, {9, 1, 9, 1}}},
    {5, {{4, 9, 1, 1}, {4, 8, 1, 0}}},
    {6, {{3, 5, 1, 12}, {7, 2, 9, 12}, {1, 1, 9, 0}}},
    {7, {{3, 5, 1, 6}, {8, 9, 1, 16}}},
    {8, {{3, 5, 1, 6}, {7, 2, 1, 9}}},
    {9, {{3, 5, 9, 10}, {7, 2, 9, 9}}},
    {10, {{3, 5, 9, 6}, {1, 9, 9, 0}, {9, 1, 1, 72}}},
    {11, {{3, 5, 9, 20}, {9, 1, 1, 72}}},
    {12, {{3, 5, 1, 11}, {9, 9, 1, 27}}},
    {13, {{3, 5, 9, 2}, {9, 1, 9, 8}}},
    {14, {{2, 7, 1, 12}, {7, 2, 9, 12}, {5, 5, 1, 5}}},
    {15, {{3, 5, 1, 15}, {9, 9, 9, 25}}},
    {16, {{3, 5, 1, 2}, {4, 5, 1, 0}, {1, 9, 1, 1}}},
    {17, {{7, 8, 1, 6}, {3, 5, 1, 5}, {2, 5, 1, 0}}},
    {18, {{3, 5, 1, 21}, {9, 9, 1, 45}}},
    {19, {{3, 5, 1, 53}, {9, 9, 1, 99}}},
    {20, {{5, 3, 1, 1}, {3, 5, 9, 0}, {4, 4, 1, 0}, {9, 1, 1, 1}}},
};

const RuleRow ThreeVariableRows[] = {
    {1, {{1, 2, 3, 6}, {9, 9, 9, 27}}},
    {2, {{2, 9, 5, 7}, {4, 4, 4, 0}}},
    {3, {{5, 3, 3, 6}, {2, 9, 5, 7}}},
    {4, {{3, 1, 1, 7}, {9, 1, 1, 1}}},
    {5, {{9, 9, 9, 7}, {1, 2, 3, 6}}},
    {6, {{2, 9, 5, 4}, {5, 3, 3, 2}}},
    {7, {{2, 9, 5, 18}, {5, 3, 3, 15}}},
    {8, {{2, 3, 4, 10}, {9, 9, 9, 90}}},
    {9, {{1, 9, 1, 16}, {3, 5, 4, 3}}},
    {10, {{2, 9, 5, 8}, {1, 1, 1, 9}}},
    {11, {{2, 3, 4, 20}, {9, 9, 9, 162}}},
    {12, {{2, 3, 4, 11}, {9, 1, 2, 19}}},
    {13, {{2, 9, 5, 4}, {1, 1, 1, 12}}},
    {14, {{2, 3, 4, 13}, {9, 9, 1, 162}}},
    {15, {{1, 1, 1, 1}, {9, 9, 8, 13}}},
    {16, {{1, 9, 1, 64}, {3, 5, 4, 2}}},
    {17, {{1, 2, 3, 14}, {3, 2, 1, 10}}},
    {18, {{2, 9, 5, 12}, {1, 1, 9, 0}, {9, 5, 2, 12}}},
    {19, {{2, 9, 5, 25}, {1, 2, 3, 10}}},
    {20, {{9, 9, 9, 9}, {2, 5, 7, 0}, {3, 4, 6, 2}}},
};

// clang-format on

TEST(BuiltInRules, TwoVariables) {
    for (const RuleRow& row : TwoVariableRows)
        ExpectRule(2, row);
}

TEST(BuiltInRules, ThreeVariables) {
    for (const RuleRow& row : ThreeVariableRows)
        ExpectRule(3, row);
}

TEST_F(EngineTest, TaskNumbersWithoutARuleGiveTheInvalidOutput) {
    for (int32_t task : {0, -1, std::numeric_limits<int32_t>::min()}) {
        CurrentTask = task;
        FormulaError = true;
        EXPECT_EQ(MachineOutput(3, 5, 7), InvalidOutput) << task;
        EXPECT_FALSE(FormulaError);
    }
}

TEST_F(EngineTest, EveryCallStoresItsValues) {
    CurrentTask = 1;
    MachineOutput(4, 5, 6);
    EXPECT_EQ(CurrentValues, (Values{4, 5, 6}));
}

TEST_F(EngineTest, BuiltInRulesRefuseValuesNoExperimentProduces) {
    // Rule 20 for 2 variables divides by the largest value.
    NumberOfVariables = 2;
    CurrentTask = 20;
    EXPECT_EQ(MachineOutput(0, 0, 0), InvalidOutput);
    CurrentTask = 1;
    EXPECT_EQ(MachineOutput(9000, 999, 0), 9999);
    EXPECT_EQ(MachineOutput(9000, 1000, 0), InvalidOutput);
    // 2-variable rule 5 on huge values still has a small result, but no
    // overflow may happen on the way.
    CurrentTask = 5;
    const int32_t top = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(MachineOutput(top, top, 0), InvalidOutput);
    NumberOfVariables = 3;
    for (int32_t task = 1; task <= 20; ++task) {
        CurrentTask = task;
        EXPECT_EQ(MachineOutput(top, std::numeric_limits<int32_t>::min(), top), InvalidOutput);
    }
}

class ExtraTaskTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // As a complete load of an extra-task file leaves the table.
        for (int k = 1; k <= ExtraTaskCount; ++k)
            ExtraTasks[k] = {3, "100*" + std::to_string(k) + "+x"};
        ExtraTasks[5] = {3, "x*y-z"};
        ExtraTaskMode = true;
    }
};

TEST_F(ExtraTaskTest, ExtraTasksStandInForTheThreeVariableRules) {
    CurrentTask = 5;
    EXPECT_EQ(MachineOutput(3, 4, 5), 7);
    CurrentTask = 20;
    EXPECT_EQ(MachineOutput(3, 4, 5), 2003);
    CurrentTask = 1;
    EXPECT_EQ(MachineOutput(9, 4, 5), 109);
}

TEST_F(ExtraTaskTest, TwoVariableRulesStayInForce) {
    NumberOfVariables = 2;
    CurrentTask = 5;
    EXPECT_EQ(MachineOutput(4, 9, 0), 1); // (x + y) mod 2
    EXPECT_EQ(NumberOfVariables, 2);
}

TEST_F(ExtraTaskTest, OwnTasksUseTheirFormula) {
    CurrentTask = 21;
    CurrentFormula = "x+y+z";
    EXPECT_EQ(MachineOutput(1, 2, 3), 6);
    NumberOfVariables = 2;
    CurrentFormula = "x*y";
    EXPECT_EQ(MachineOutput(3, 4, 9), 12);
}

TEST_F(ExtraTaskTest, TheEntrysNumberOfVariablesComesIntoForce) {
    ExtraTasks[7] = {2, "q+10*z"};
    CurrentTask = 7;
    EXPECT_EQ(MachineOutput(3, 4, 5), 50); // q is 0 with 2 variables
    EXPECT_EQ(NumberOfVariables, 2);
    // From now on the 2-variable rules are in force.
    EXPECT_EQ(MachineOutput(3, 4, 5), 6); // 2-variable rule 7: 2 * smallest
}

TEST_F(ExtraTaskTest, NoTaskChosenReadsNoFormula) {
    for (int32_t task : {0, -1, -20, std::numeric_limits<int32_t>::min()}) {
        CurrentTask = task;
        EXPECT_EQ(MachineOutput(3, 4, 5), InvalidOutput) << task;
        EXPECT_FALSE(FormulaError);
        EXPECT_EQ(NumberOfVariables, 3);
    }
}

TEST_F(ExtraTaskTest, AFailingExtraTaskRaisesFormulaError) {
    ExtraTasks[3] = {3, "x/(y-z)"};
    CurrentTask = 3;
    EXPECT_EQ(MachineOutput(8, 2, 2), InvalidOutput);
    EXPECT_TRUE(FormulaError);
    EXPECT_EQ(MachineOutput(8, 4, 2), 4);
    EXPECT_FALSE(FormulaError);
}

} // namespace
