// SPDX-License-Identifier: GPL-3.0-or-later
// The checks and trials of a new task, shared by the define dialog and the
// companion.
#include "catalogue/catalogue_fixture.h"
#include "catalogue/define_task.h"

namespace {

using namespace KolvErkl;
using KolvTest::CatalogueTest;

TEST(DefineTask, TaskNumbers) {
    const std::vector<std::pair<std::string, std::optional<int>>> rows = {
        {"21", 21},
        {"70", 70},
        {"045", 45},
        {" 30", 30},
        {"20", std::nullopt},
        {"71", std::nullopt},
        {"0", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-25", std::nullopt},
        {"25 ", std::nullopt},
        {"2a", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& [text, number] : rows)
        EXPECT_EQ(ParseTaskNumber(text), number) << '"' << text << '"';
}

TEST(DefineTask, QAndZNeedThreeVariables) {
    for (const char* formula : {"x+z", "q", "Q*2", "abs(Z)"}) {
        EXPECT_FALSE(LettersFitVariables(formula, 2)) << formula;
        EXPECT_TRUE(LettersFitVariables(formula, 3)) << formula;
    }
    EXPECT_TRUE(LettersFitVariables("x+y*p-r", 2));
}

TEST(DefineTask, WarningWhenMoreThanHalfOfTheTrialsWereTroubled) {
    struct Row {
        int trials, troubled;
        bool warn;
    };
    for (const Row& row : std::vector<Row>{{1, 0, false},
                                           {2, 1, false},
                                           {3, 2, true},
                                           {4, 3, true},
                                           {5, 2, false},
                                           {100, 51, true},
                                           {100, 50, false}}) {
        const TrialResult result{row.trials, row.troubled, true};
        EXPECT_EQ(result.Hard(), row.warn) << row.trials << " " << row.troubled;
    }
}

TEST_F(CatalogueTest, AFormulaThatGivesAValueAtOnceIsGoodOnTheFirstTrial) {
    const TrialResult result = TryNewTask(25, "x+y");
    EXPECT_TRUE(result.Good);
    EXPECT_EQ(result.Trials, 1);
    EXPECT_EQ(result.Troubled, 0);
    EXPECT_FALSE(result.Hard());
    EXPECT_EQ(CurrentTask, 25);
    EXPECT_EQ(CurrentFormula, "x+y");
    for (int i = 0; i < NumberOfVariables; ++i) {
        EXPECT_GE(ExperimentValues[i], 1);
        EXPECT_LE(ExperimentValues[i], 9);
    }
}

TEST_F(CatalogueTest, AFormulaThatNeverGivesAValueLeavesTheTaskInUseAlone) {
    CurrentTask = 7;
    CurrentFormula = "previous";
    for (const char* formula : {"1/(x-x)", "x*10000", "2x", "x))"}) {
        const TrialResult result = TryNewTask(30, formula);
        EXPECT_FALSE(result.Good) << formula;
        EXPECT_EQ(result.Trials, MaxTrials) << formula;
        EXPECT_EQ(CurrentTask, 7) << formula;
        EXPECT_EQ(CurrentFormula, "previous") << formula;
        EXPECT_TRUE(OwnTaskSlot(30).IsFree());
    }
    // Only the ones that raise FormulaError count as troubled.
    EXPECT_EQ(TryNewTask(30, "1/(x-x)").Troubled, MaxTrials);
    EXPECT_EQ(TryNewTask(30, "x*10000").Troubled, 0);
}

TEST_F(CatalogueTest, OnlyTheFirstSixtyCharactersAreTriedAndStored) {
    const std::string formula = std::string(59, '1') + "+" + "/(x-x)" + "abc";
    ASSERT_EQ(formula.size(), 69u);
    // Cut at 60, the formula is a whole number of 59 ones followed by '+',
    // which is never good; the division beyond it is never looked at.
    EXPECT_FALSE(TryNewTask(25, formula).Good);

    const std::string seventy = "x+y" + std::string(57, ' ') + "+1/(x-x)00";
    ASSERT_EQ(seventy.size(), 70u);
    ASSERT_TRUE(TryNewTask(25, seventy).Good);
    StoreNewTask(25, seventy);
    EXPECT_EQ(OwnTaskSlot(25).Formula.Text(), seventy.substr(0, 60));
    EXPECT_EQ(CurrentFormula, seventy.substr(0, 60));
}

TEST_F(CatalogueTest, StoringKeepsTheSlotsFileNameAndFillsTheTransferRecord) {
    OwnTaskSlot(40).FileName.Assign("fraFil.kvn");
    NumberOfVariables = 2;
    StoreNewTask(40, "x-y");
    const TaskRecord& slot = OwnTaskSlot(40);
    EXPECT_FALSE(slot.IsFree());
    EXPECT_EQ(slot.VariableCount, 2);
    EXPECT_EQ(slot.TaskNumber, 40);
    EXPECT_EQ(slot.Formula.Text(), "x-y");
    EXPECT_EQ(slot.FileName.Text(), "fraFil.kvn");
    EXPECT_EQ(CurrentTask, 40);
    EXPECT_EQ(CurrentFormula, "x-y");
    EXPECT_EQ(EncodeTaskRecord(TransferRecord), EncodeTaskRecord(slot));
    EXPECT_EQ(OwnTaskSpan, 0); // raised by the caller after the save offer
}

} // namespace
