// SPDX-License-Identifier: GPL-3.0-or-later
// Experiment values, their statistics and the number operations behind the
// named functions.
#include "engine_test_support.h"

#include <set>
#include <string>

using namespace KolvErkl;

namespace {

struct StatisticsRow {
    int32_t variables, x, y, z;
    int32_t largest, middle, smallest, distinct;
};

// A row's name in the test's output: its values, "x7_y2_z7".
std::string rowName(const ::testing::TestParamInfo<StatisticsRow>& info) {
    const StatisticsRow& row = info.param;
    return "x" + std::to_string(row.x) + "_y" + std::to_string(row.y) + "_z" +
           std::to_string(row.z) + (row.variables == 2 ? "_twoVariables" : "");
}

class StatisticsTest : public EngineTest, public ::testing::WithParamInterface<StatisticsRow> {};

TEST_P(StatisticsTest, LargestMiddleSmallestAndDistinct) {
    const StatisticsRow& row = GetParam();
    NumberOfVariables = row.variables;
    const Statistics s = ValueStatistics(row.x, row.y, row.z);
    EXPECT_EQ(s.Largest, row.largest);
    EXPECT_EQ(s.Middle, row.middle);
    EXPECT_EQ(s.Smallest, row.smallest);
    EXPECT_EQ(s.Distinct, row.distinct);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, StatisticsTest,
                         ::testing::Values(StatisticsRow{3, 7, 7, 7, 7, 7, 7, 1},
                                           StatisticsRow{3, 7, 2, 7, 7, 7, 2, 2},
                                           StatisticsRow{3, 1, 5, 9, 9, 5, 1, 3},
                                           StatisticsRow{3, 5, 3, 3, 5, 3, 3, 2},
                                           StatisticsRow{3, 9, 1, 5, 9, 5, 1, 3},
                                           StatisticsRow{3, 2, 2, 8, 8, 2, 2, 2},
                                           // 2 variables: z takes no part, middle is 0
                                           StatisticsRow{2, 4, 9, 1, 9, 0, 4, 2},
                                           StatisticsRow{2, 6, 6, 9, 6, 0, 6, 1},
                                           StatisticsRow{2, 9, 4, 0, 9, 0, 4, 2}),
                         rowName);
// clang-format on

TEST_F(EngineTest, FillRandomValuesDrawsOnlyTheExperimentsValues) {
    SeedRandom(17);
    std::set<int32_t> seen;
    Values values{0, 0, 42};
    NumberOfVariables = 2;
    for (int i = 0; i < 500; ++i) {
        FillRandomValues(values);
        ASSERT_EQ(values[2], 42);
        for (int k = 0; k < 2; ++k) {
            ASSERT_GE(values[k], 1);
            ASSERT_LE(values[k], 9);
            seen.insert(values[k]);
        }
    }
    EXPECT_EQ(seen.size(), 9u);

    NumberOfVariables = 3;
    bool zChanged = false;
    for (int i = 0; i < 50; ++i) {
        FillRandomValues(values);
        ASSERT_GE(values[2], 1);
        ASSERT_LE(values[2], 9);
        zChanged = zChanged || values[2] != 42;
    }
    EXPECT_TRUE(zChanged);
}

TEST_F(EngineTest, SeedingRepeatsTheDraws) {
    Values first{}, second{};
    SeedRandom(99);
    FillRandomValues(first);
    SeedRandom(99);
    FillRandomValues(second);
    EXPECT_EQ(first, second);
}

// The rule as first stated: n is prime when its smallest divisor d >= 2
// with n mod d <= 0 is n itself.
bool IsPrimeBySmallestDivisor(int32_t n) {
    if (n == 1)
        return false;
    int32_t d = 2;
    while (n % d > 0)
        ++d;
    return d == n;
}

TEST_F(EngineTest, IsPrimeAgreesWithTheSmallestDivisorRule) {
    for (int32_t n = -30; n <= 20000; ++n)
        ASSERT_EQ(IsPrime(n), IsPrimeBySmallestDivisor(n)) << n;
    const int32_t top = std::numeric_limits<int32_t>::max();
    EXPECT_TRUE(IsPrime(top));
    EXPECT_TRUE(IsPrime(2147483629));
    EXPECT_FALSE(IsPrime(top - 1));
    EXPECT_FALSE(IsPrime(std::numeric_limits<int32_t>::min()));
    EXPECT_FALSE(IsPrime(46337 * 46327)); // two primes near the square root of the range
}

TEST_F(EngineTest, NextPrime) {
    const std::pair<int32_t, int64_t> rows[] = {
        {7, 11},
        {0, 2},
        {1, 2},
        {2, 3},
        {-7, 2},
        {std::numeric_limits<int32_t>::min(), 2},
        {2147483000, 2147483029},
        {2147483000, 2147483029},
        {2147483630, 2147483647},
        {2147483647, 2147483659}, // beyond the 32-bit range
        // Regression: a formula of d() calls on these froze the window.
        {2114305601, 2114305891},
        {1948819133, 1948819423},
    };
    for (const auto& [n, next] : rows)
        EXPECT_EQ(NextPrime(n), next) << n;
}

struct DigitsRow {
    int32_t n, digitSum, firstDigit;
};

TEST_F(EngineTest, DigitSumAndFirstDigit) {
    // clang-format off
    const DigitsRow rows[] = {
        {729, 18, 7}, {40, 4, 4},     {5, 5, 5},     {0, 0, 0},         {100, 1, 1},
        {1234, 19, 12}, {-25, -7, -5}, {-7, -7, -7}, {-100, -1, 0},
        {std::numeric_limits<int32_t>::min(), -21474836 - 4 - 8, -8},
    };
    // clang-format on
    for (const DigitsRow& row : rows) {
        EXPECT_EQ(DigitSum(row.n), row.digitSum) << row.n;
        EXPECT_EQ(FirstDigit(row.n), row.firstDigit) << row.n;
    }
}

struct CurrentValuesRow {
    int32_t variables, x, y, z;
    int32_t distinct, primes, missing;
    std::optional<int64_t> tenXYDivZ;
};

TEST_F(EngineTest, OperationsOnCurrentValues) {
    // clang-format off
    const CurrentValuesRow rows[] = {
        {3, 3, 3, 5, 2, 3, 1, 6},    {3, 2, 2, 2, 1, 3, 1, 11}, {3, 1, 4, 9, 3, 0, 2, 1},
        {3, 1, 2, 4, 3, 1, 3, 3},    {3, 2, 3, 4, 3, 2, 1, 5},  {3, 1, 2, 3, 3, 2, 4, 4},
        {3, 9, 9, 9, 1, 0, 1, 11},   {3, 9, 9, 1, 2, 0, 2, 99},
        // 2 variables: the middle 0 is neither prime nor missing; z is still read by k
        {2, 3, 3, 7, 1, 2, 1, 4},    {2, 1, 2, 9, 2, 1, 3, 1},
        {2, 4, 5, 0, 2, 1, 1, std::nullopt},
    };
    // clang-format on
    for (const CurrentValuesRow& row : rows) {
        SCOPED_TRACE(testing::Message() << row.variables << ": " << row.x << row.y << row.z);
        NumberOfVariables = row.variables;
        CurrentValues = {row.x, row.y, row.z};
        EXPECT_EQ(DistinctCount(), row.distinct);
        EXPECT_EQ(PrimeCount(), row.primes);
        EXPECT_EQ(SmallestMissing(), row.missing);
        EXPECT_EQ(TenXYDivZ(), row.tenXYDivZ);
    }
}

TEST_F(EngineTest, SumModTakesTheSignOfThePositiveSum) {
    CurrentValues = {3, 5, 9};
    EXPECT_EQ(SumMod(4), 1);
    EXPECT_EQ(SumMod(-4), 1);
    EXPECT_EQ(SumMod(17), 0);
    EXPECT_EQ(SumMod(100), 17);
    EXPECT_EQ(SumMod(std::numeric_limits<int32_t>::min()), 17);
    EXPECT_EQ(SumMod(0), std::nullopt);
    NumberOfVariables = 2;
    EXPECT_EQ(SumMod(5), 3); // (3 + 5) mod 5
}

TEST_F(EngineTest, GcdAndMaxInt) {
    EXPECT_EQ(Gcd(4, 6), 2);
    EXPECT_EQ(Gcd(9, 9), 9);
    EXPECT_EQ(Gcd(7, 1), 1);
    EXPECT_EQ(Gcd(0, 0), 0);
    EXPECT_EQ(Gcd(std::numeric_limits<int32_t>::min(), -1), -1);
    EXPECT_EQ(MaxInt(3, 8), 8);
    EXPECT_EQ(MaxInt(8, 3), 8);
    EXPECT_EQ(MaxInt(-1, -1), -1);
}

TEST_F(EngineTest, ResetRestoresTheStartUpState) {
    NumberOfVariables = 2;
    CurrentTask = 30;
    ExtraTaskMode = true;
    ExtraTasks[4] = {3, "x+y"};
    ExperimentValues = {1, 2, 3};
    FormulaError = true;
    CurrentFormula = "x";
    LastErrorPosition = 5;
    ResetEngineState();
    EXPECT_EQ(NumberOfVariables, 3);
    EXPECT_EQ(CurrentTask, 0);
    EXPECT_FALSE(ExtraTaskMode);
    EXPECT_EQ(ExtraTasks[4].VariableCount, 0);
    EXPECT_TRUE(ExtraTasks[4].Formula.empty());
    EXPECT_EQ(ExperimentValues, (Values{0, 0, 0}));
    EXPECT_FALSE(FormulaError);
    EXPECT_TRUE(CurrentFormula.empty());
    EXPECT_EQ(LastErrorPosition, 0);
}

} // namespace
