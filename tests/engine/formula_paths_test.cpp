// SPDX-License-Identifier: GPL-3.0-or-later
// The machine reads formulas on a short cut of its own (one-pass
// preparation into a buffer ending in the end mark, integer rounding); it
// must agree with the public steps and with the library in every result.
#include "engine/formula.h"
#include "engine_test_support.h"
#include "formula_reference.h"

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace KolvErkl;
using KolvTest::FormulaReference;
using KolvTest::ReferenceOutput;

namespace {

TEST_F(EngineTest, TheMachineAgreesWithThePublicSteps) {
    // Operands joined by operators, with a stray piece now and then.
    const std::vector<std::string> operands = {
        "x",     "y",    "z",     "p",     "q",        "r",      "0",        "7",     "10",
        "99999", "-x",   "(x+y)", "(z-1,", "abs(x-y)", "s(x*y)", "f(p*q*r)", "g(y)",  "h(z)",
        "d(x)",  "j(2)", "b(0)",  "c(0)",  "e(0)",     "i(0)",   "k(0)",     "-(q/r)"};
    const std::vector<std::string> operators = {"+", "-", "*", "/"};
    const std::vector<std::string> strays = {"x", "(", ")", ",", "-",  " ", "\r",
                                             "?", "v", "X", "2", "s(", "/0"};
    std::mt19937 random(4711);
    int evaluated = 0;
    for (int i = 0; i < 30000; ++i) {
        std::string formula = operands[random() % operands.size()];
        for (int n = static_cast<int>(random() % 6); n > 0; --n)
            formula +=
                operators[random() % operators.size()] + operands[random() % operands.size()];
        if (random() % 3 == 0)
            formula.insert(random() % (formula.size() + 1), strays[random() % strays.size()]);
        // Now and then a value of more than one digit, which the short cut
        // leaves to the letter-by-letter way.
        auto value = [&] {
            return random() % 8 == 0 ? -12 + int32_t(random() % 30) : 1 + int32_t(random() % 9);
        };
        const int32_t x = value(), y = value(), z = value();
        const int32_t variables = 2 + static_cast<int32_t>(random() % 2);

        ResetEngineState();
        NumberOfVariables = variables;
        CurrentTask = 21;
        CurrentFormula = formula;
        const int32_t output = MachineOutput(x, y, z);
        const bool error = FormulaError;
        const int32_t position = LastErrorPosition;

        const FormulaReference expected = ReferenceOutput(formula, x, y, z);
        evaluated += expected.Output != InvalidOutput;
        ASSERT_EQ(output, expected.Output) << formula;
        ASSERT_EQ(error, expected.Error) << formula;
        ASSERT_EQ(position, expected.Position) << formula;
    }
    EXPECT_GT(evaluated, 10000); // the mix reaches values, not only failures
}

// In the default rounding mode the library's nearbyint rounds halves to
// even: the same results, signed zeros included, on both sides of the
// magnitude where every double is whole.
TEST_F(EngineTest, RoundingAgreesWithTheLibrary) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.3,
                                  -0.3,
                                  0.5,
                                  -0.5,
                                  1.5,
                                  -1.5,
                                  2.5,
                                  -2.5,
                                  9999.5,
                                  0x1p52 - 0.5,
                                  0x1p52 + 2,
                                  -0x1p52,
                                  0x1p53 + 2,
                                  1e300,
                                  -1e300,
                                  5e-324,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(2026);
    for (int i = 0; i < 20000; ++i) {
        const double whole = static_cast<double>(static_cast<int64_t>(random() >> (random() % 64)));
        const double fraction = std::ldexp(static_cast<double>(random() % 8), -3);
        values.push_back((i % 2 ? -1 : 1) * (whole + fraction));
    }
    for (const double v : values) {
        const double rounded = RoundHalfEven(v), expected = std::nearbyint(v);
        ASSERT_EQ(std::memcmp(&rounded, &expected, sizeof rounded), 0) << v;
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""))));
}

} // namespace
