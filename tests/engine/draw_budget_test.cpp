// SPDX-License-Identifier: GPL-3.0-or-later
// The draw budget on a clock of the test's own: a count per item, one
// deadline for all items.
#include "engine/draw_budget.h"

#include <gtest/gtest.h>

using namespace KolvErkl;
using namespace std::chrono_literals;

namespace {

class DrawBudgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        DrawClock = [this] {
            now += step;
            return now;
        };
    }
    void TearDown() override { DrawClock = nullptr; }

    // How many draws the item gets before the budget says no.
    static int drawsUntilRefused(DrawBudget& budget) {
        int draws = 0;
        while (budget.Draw())
            ++draws;
        return draws;
    }

    SteadyTime now{};
    std::chrono::steady_clock::duration step = 0ms;
};

TEST_F(DrawBudgetTest, CheapDrawsEndAtTheCountOfEachItem) {
    DrawBudget budget(20000);
    EXPECT_EQ(drawsUntilRefused(budget), 20000);
    EXPECT_FALSE(budget.Draw());
    budget.NextItem();
    EXPECT_EQ(drawsUntilRefused(budget), 20000);
}

TEST_F(DrawBudgetTest, CostlyDrawsEndAtTheDeadlineOfAllItems) {
    step = 1ms; // each draw reads the clock once
    DrawBudget budget(20000, 800ms);
    EXPECT_EQ(drawsUntilRefused(budget), 799);
    budget.NextItem(); // the next row gets no new time
    EXPECT_FALSE(budget.Draw());

    step = 600us; // a formula as costly as d() by trial division at the top of the range
    DrawBudget defaultTime(20000);
    EXPECT_LT(drawsUntilRefused(defaultTime), 1000 / 0.6);
}

} // namespace
