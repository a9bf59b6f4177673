// SPDX-License-Identifier: GPL-3.0-or-later
// The formula language through the machine: values, refusals, failures and
// where each failure is reported.
#include "engine/formula.h"
#include "engine/formula_functions.h"
#include "engine_test_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace KolvErkl;
using namespace std::string_literals;

namespace {

struct FormulaRow {
    std::string formula;
    int32_t variables, x, y, z;
    int32_t output;
    bool error;
    int32_t position;
};

std::ostream& operator<<(std::ostream& os, const FormulaRow& row) {
    return os << '"' << row.formula << "\" on " << row.x << ',' << row.y << ',' << row.z;
}

// A row's name in the test's output: the formula in words and the values it
// runs on ("abs_xMinusy__at_3_8_1"), so that a failure names its row.
std::string rowName(const ::testing::TestParamInfo<FormulaRow>& info) {
    const FormulaRow& row = info.param;
    std::string name = row.formula.empty() ? "Empty" : "";
    for (const unsigned char c : row.formula) {
        if (std::isalnum(c)) {
            name += char(c);
            continue;
        }
        switch (c) {
        case '+':
            name += "Plus";
            break;
        case '-':
            name += "Minus";
            break;
        case '*':
            name += "Times";
            break;
        case '/':
            name += "Over";
            break;
        case ',':
            name += "Comma";
            break;
        case ' ':
            name += "Blank";
            break;
        case '(':
        case ')':
            name += '_';
            break;
        default: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "Char%02X", c);
            name += hex;
        }
        }
    }
    name +=
        "_at_" + std::to_string(row.x) + '_' + std::to_string(row.y) + '_' + std::to_string(row.z);
    if (row.variables == 2)
        name += "_twoVariables";
    return name;
}

class FormulaTest : public EngineTest, public ::testing::WithParamInterface<FormulaRow> {};

TEST_P(FormulaTest, OutputErrorAndPosition) {
    const FormulaRow& row = GetParam();
    NumberOfVariables = row.variables;
    CurrentTask = 21;
    CurrentFormula = row.formula;
    EXPECT_EQ(MachineOutput(row.x, row.y, row.z), row.output);
    EXPECT_EQ(FormulaError, row.error);
    EXPECT_EQ(LastErrorPosition, row.position);
}

constexpr int32_t Bad = InvalidOutput;

// clang-format off

INSTANTIATE_TEST_SUITE_P(Values, FormulaTest, ::testing::Values(
    FormulaRow{"x+y", 3, 3, 5, 1, 8, false, 0},
    FormulaRow{"x/y", 3, 9, 2, 1, 4, false, 0},
    FormulaRow{"(0-x)/y", 3, 9, 2, 1, -4, false, 0},
    FormulaRow{"x/y*y", 3, 7, 2, 1, 6, false, 0},
    FormulaRow{"-7/2", 3, 1, 1, 1, -3, false, 0},
    FormulaRow{"2*-3", 3, 1, 1, 1, -6, false, 0},
    FormulaRow{"2--3", 3, 1, 1, 1, 5, false, 0},
    FormulaRow{"-(-x)", 3, 4, 1, 1, 4, false, 0},
    FormulaRow{"x*-y", 3, 3, 5, 1, -15, false, 0},
    FormulaRow{"x - y * z", 3, 3, 5, 2, -7, false, 0},
    FormulaRow{"007", 3, 1, 1, 1, 7, false, 0},
    FormulaRow{"(x+y,", 3, 3, 5, 1, 8, false, 0},
    FormulaRow{"x)+(y", 3, 3, 5, 1, 8, false, 0},
    FormulaRow{"((x+y)*(z-1),", 3, 3, 5, 4, 24, false, 0},
    FormulaRow{"p+q+r", 3, 5, 3, 9, 17, false, 0},
    FormulaRow{"r-p", 3, 5, 3, 9, 6, false, 0},
    FormulaRow{"9999", 3, 1, 1, 1, 9999, false, 0},
    FormulaRow{"0-9999", 3, 1, 1, 1, -9999, false, 0}
), rowName);

INSTANTIATE_TEST_SUITE_P(TwoVariables, FormulaTest, ::testing::Values(
    FormulaRow{"p*r", 2, 4, 9, 7, 36, false, 0},
    FormulaRow{"q", 2, 4, 9, 7, 0, false, 0},
    FormulaRow{"p+r", 2, 4, 9, 1, 13, false, 0}, // z takes no part in p and r
    FormulaRow{"z", 2, 4, 9, 7, 7, false, 0},    // z is the stored third value
    FormulaRow{"10*q+p", 2, 8, 8, 8, 8, false, 0}
), rowName);

const std::vector<FormulaRow> NamedFunctionRows = {
    FormulaRow{"abs(x-y)", 3, 3, 8, 1, 5, false, 0},
    FormulaRow{"abs(0-99999)", 3, 1, 1, 1, Bad, false, 0},
    FormulaRow{"s(x*y)", 3, 7, 8, 1, 6, false, 0},
    FormulaRow{"s(0-x)", 3, 7, 1, 1, -7, false, 0},
    FormulaRow{"x+s(y)", 3, 3, 5, 1, 8, false, 0},
    FormulaRow{"f(x*y*z)", 3, 9, 9, 9, 7, false, 0},
    FormulaRow{"f(x*y*z)", 3, 5, 5, 4, 1, false, 0},
    FormulaRow{"f(0-25)", 3, 1, 1, 1, -5, false, 0},
    FormulaRow{"g(x*y*z)", 3, 9, 9, 9, 18, false, 0},
    FormulaRow{"g(x*y*z)", 3, 9, 9, 2, 9, false, 0},
    FormulaRow{"g(1234)", 3, 1, 1, 1, 19, false, 0},
    FormulaRow{"h(x)", 3, 7, 1, 1, 22, false, 0},
    FormulaRow{"h(x)", 3, 8, 1, 1, 4, false, 0},
    FormulaRow{"h(0-3)", 3, 1, 1, 1, -8, false, 0},
    FormulaRow{"h(0-4)", 3, 1, 1, 1, -2, false, 0},
    FormulaRow{"d(x)", 3, 7, 1, 1, 11, false, 0},
    FormulaRow{"d(0-x)", 3, 7, 1, 1, 2, false, 0},
    FormulaRow{"b(0)", 3, 3, 3, 5, 2, false, 0},
    FormulaRow{"b(x)", 2, 3, 3, 5, 1, false, 0},
    FormulaRow{"e(0)", 3, 3, 3, 5, 3, false, 0},
    FormulaRow{"e(0)", 2, 3, 3, 5, 2, false, 0},
    FormulaRow{"i(0)", 3, 1, 2, 4, 3, false, 0},
    FormulaRow{"i(0)", 2, 1, 2, 3, 3, false, 0},
    FormulaRow{"c(0)", 3, 4, 6, 1, 12, false, 0},
    FormulaRow{"c(0)", 3, 7, 7, 5, 7, false, 0},
    FormulaRow{"j(4)", 3, 3, 5, 9, 1, false, 0},
    FormulaRow{"j(0-4)", 3, 3, 5, 9, 1, false, 0},
    FormulaRow{"k(0)", 3, 1, 2, 3, 4, false, 0},
    FormulaRow{"k(0)", 2, 9, 9, 1, 99, false, 0},
    FormulaRow{"s(g(x*y*z)+f(100*x),", 3, 9, 9, 9, 7, false, 0},
    FormulaRow{"abs(x-y,", 3, 3, 8, 1, 5, false, 0}
};
INSTANTIATE_TEST_SUITE_P(NamedFunctions, FormulaTest, ::testing::ValuesIn(NamedFunctionRows), rowName);

// Letters that stand where a variable may not: nothing is evaluated.
INSTANTIATE_TEST_SUITE_P(Refused, FormulaTest, ::testing::Values(
    FormulaRow{"2x", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"xy", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"(x)(y)", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"x y", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"sx", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"s(x),y", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"Xx", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"x+y+zp", 3, 1, 2, 3, Bad, true, 0}
), rowName);

INSTANTIATE_TEST_SUITE_P(FailingReadings, FormulaTest, ::testing::Values(
    FormulaRow{"X+1", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"a(x)", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"abs5", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"ABS(x)", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"b()", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"s(x,3)", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"--x", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"x.5", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"   ", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"x+", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"(x+y", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"abs(x-y", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"vx", 3, 1, 2, 3, Bad, true, 0}, // v may precede a variable but is no function
    FormulaRow{"x/a(1)", 3, 1, 2, 3, Bad, true, 0}, // a failed divisor is no zero divisor
    FormulaRow{"s", 3, 1, 2, 3, Bad, true, 0},
    FormulaRow{"x+\xE6", 3, 1, 2, 3, Bad, true, 0}
), rowName);

// Stops on a character no rule accepts; the position is in the prepared text.
INSTANTIATE_TEST_SUITE_P(StoppingEarly, FormulaTest, ::testing::Values(
    FormulaRow{"x))", 3, 1, 2, 3, Bad, false, 4},
    FormulaRow{"x)*2)", 3, 1, 2, 3, Bad, false, 6},
    FormulaRow{"x)?", 3, 1, 2, 3, Bad, false, 4},
    FormulaRow{"x)\xE6(", 3, 1, 2, 3, Bad, false, 4},
    FormulaRow{"x)y+1", 3, 1, 2, 3, Bad, true, 0}, // refused: y follows ")"
    FormulaRow{"1)2", 3, 1, 2, 3, Bad, false, 4},
    FormulaRow{"x)"s + '\0', 3, 1, 2, 3, Bad, false, 4}
), rowName);

// The position of a zero divisor's last character in the blank-free formula.
INSTANTIATE_TEST_SUITE_P(ZeroDivisors, FormulaTest, ::testing::Values(
    FormulaRow{"x/0", 3, 1, 2, 3, Bad, true, 3},
    FormulaRow{"x/(y-y)", 3, 1, 2, 3, Bad, true, 7},
    FormulaRow{"x+y/0+1", 3, 1, 2, 3, Bad, true, 5},
    FormulaRow{"x / 00", 3, 1, 2, 3, Bad, true, 4},
    FormulaRow{"1/-0", 3, 1, 2, 3, Bad, true, 4},
    FormulaRow{"s(x/(y-2))", 3, 1, 2, 3, Bad, true, 9},
    FormulaRow{"x/(y-y)+1/0", 3, 1, 2, 3, Bad, true, 7}, // the first failure counts
    // Regression: costly and never a value, from a file made outside the program.
    FormulaRow{"d(2114305601)-d(2114305601)+d(1948819133)-d(1948819133)/0", 3, 1, 2, 3, Bad, true, 57}
), rowName);

// Named functions without a value for their argument fail like a zero
// divisor, at the argument's closing character.
INSTANTIATE_TEST_SUITE_P(FunctionsWithoutAValue, FormulaTest, ::testing::Values(
    FormulaRow{"j(0)", 3, 1, 2, 3, Bad, true, 4},
    FormulaRow{"j(x-y+1)", 3, 4, 5, 3, Bad, true, 8},
    FormulaRow{"k(0)", 2, 1, 2, 0, Bad, true, 4},          // z never set
    FormulaRow{"1+k(x)", 2, 1, 2, 0, Bad, true, 6},
    FormulaRow{"c(0)", 3, 0, 0, 1, Bad, true, 4},          // no experiment has x = y = 0
    FormulaRow{"h(x*1000000000)", 3, 3, 1, 1, Bad, true, 15},
    FormulaRow{"h(715827883)", 3, 1, 1, 1, Bad, true, 12}, // 3n + 1 > 2147483647
    FormulaRow{"s(h(715827882))", 3, 1, 1, 1, 1, false, 0}, // 357913941
    FormulaRow{"s(99999999999)", 3, 1, 1, 1, Bad, true, 14},
    FormulaRow{"s(2147483647)", 3, 1, 1, 1, 7, false, 0},
    FormulaRow{"s(0-2147483648)", 3, 1, 1, 1, -8, false, 0},
    FormulaRow{"s(0-2147483649)", 3, 1, 1, 1, Bad, true, 15},
    FormulaRow{"s(d(2147483646))", 3, 1, 1, 1, 7, false, 0},
    FormulaRow{"s(d(2147483000))", 3, 1, 1, 1, 9, false, 0}, // 2147483029
    FormulaRow{"d(2147483647)", 3, 1, 1, 1, Bad, true, 13}  // no larger 32-bit prime
), rowName);

INSTANTIATE_TEST_SUITE_P(Magnitudes, FormulaTest, ::testing::Values(
    FormulaRow{"10000", 3, 1, 1, 1, Bad, false, 0},
    FormulaRow{"0-10000", 3, 1, 1, 1, Bad, false, 0},
    FormulaRow{std::string(60, '9'), 3, 1, 1, 1, Bad, false, 0},
    FormulaRow{std::string(30, '9') + "/" + std::string(29, '9'), 3, 1, 1, 1, 10, false, 0},
    FormulaRow{"9999999999*9999999999*9999999999*9999999999*99999999999", 3, 1, 1, 1, Bad,
               false, 0}
), rowName);

// clang-format on

// Every named function of the language has a row that calls it first in the
// table above: a function added without one fails here.
TEST(NamedFunctionTable, HasARowForEveryFunction) {
    for (const std::string_view function : FunctionNames) {
        const std::string call = std::string(function) + '(';
        EXPECT_TRUE(
            std::any_of(NamedFunctionRows.begin(), NamedFunctionRows.end(),
                        [&call](const FormulaRow& row) { return row.formula.starts_with(call); }))
            << function << " has no row";
    }
}

TEST_F(EngineTest, ALongFormulaIsCutAtItsLengthLimit) {
    CurrentTask = 21;
    CurrentFormula = "x" + std::string(59, ' ') + "*9";
    EXPECT_EQ(MachineOutput(3, 1, 1), 3);
    EXPECT_FALSE(FormulaError);
}

TEST_F(EngineTest, TheEndMarkInsideTheTextEndsTheReading) {
    // A carriage return is the end mark; a text holding one is read as if
    // it ended there.
    CurrentTask = 21;
    CurrentFormula = "x)\r(y";
    EXPECT_EQ(MachineOutput(3, 5, 1), 3);
}

TEST_F(EngineTest, PreparationStoresTheStatisticsAndKeepsPlaces) {
    struct Row {
        std::string formula;
        int32_t variables, x, y, z;
        std::string prepared;
        bool error;
    } rows[] = {
        {"x + y*z", 3, 3, 5, 7, "(3+5*7)", false},     {"p+q+r", 3, 5, 3, 9, "(3+5+9)", false},
        {"q+z", 2, 5, 3, 9, "(0+9)", false},           {"v x", 3, 4, 1, 1, "(v4)", false},
        {"x+y+2x+y", 3, 1, 2, 3, "(1+y+2x+y)", true}, // the refused x ends all substitution
        {"X+abs(x)", 3, 6, 1, 1, "(X+abs(6))", false}, {"x*x*x", 3, 0, 1, 1, "(0*0*0)", false},
        {"x-y", 3, -12, 100, 1, "(-12-100)", false}, // only values outside 1..9 take more room
    };
    for (const Row& row : rows) {
        NumberOfVariables = row.variables;
        FormulaText text(row.formula);
        PrepareFormula(text, row.x, row.y, row.z);
        EXPECT_EQ(text.View(), row.prepared) << row.formula;
        EXPECT_EQ(FormulaError, row.error) << row.formula;
    }
    NumberOfVariables = 3;
    FormulaText text("x");
    PrepareFormula(text, 8, 2, 5);
    EXPECT_EQ(SmallestValue, 2);
    EXPECT_EQ(MiddleValue, 5);
    EXPECT_EQ(LargestValue, 8);
}

// The letter-by-letter substitution written out with the public steps; the
// preparation takes a one-pass short cut that must agree with it.
TEST_F(EngineTest, PreparationAgreesWithLetterByLetterSubstitution) {
    std::mt19937 random(7);
    const std::string alphabet = "xyzpqrv(+-*/)0123456789 abs,Xk";
    for (int i = 0; i < 20000; ++i) {
        std::string formula(random() % 12, ' ');
        for (char& c : formula)
            c = alphabet[random() % alphabet.size()];
        NumberOfVariables = 2 + static_cast<int32_t>(random() % 2);
        const int32_t x = 1 + random() % 9, y = 1 + random() % 9, z = random() % 10;

        FormulaText prepared(formula);
        PrepareFormula(prepared, x, y, z);
        const bool error = FormulaError;

        FormulaText expected(formula);
        RemoveBlanks(expected);
        const std::string wrapped = std::string("(").append(expected.View()).append(")");
        expected = FormulaText(wrapped);
        bool refused = false;
        for (const auto& [letter, value] : {std::pair{'x', x},
                                            {'y', y},
                                            {'z', z},
                                            {'p', SmallestValue},
                                            {'q', MiddleValue},
                                            {'r', LargestValue}}) {
            Substitution result;
            while ((result = SubstituteVariable(expected, letter, value)) ==
                   Substitution::Replaced) {
            }
            if (result == Substitution::Refused) {
                refused = true;
                break;
            }
        }
        ASSERT_EQ(error, refused) << formula;
        ASSERT_EQ(prepared.View(), expected.View()) << formula;
    }
}

TEST_F(EngineTest, PreparationMakesRoomForLongValues) {
    FormulaText text(std::string(MaxFormulaLength, 'x'));
    text.Chars[1] = '-'; // "x-xxx...": the third x is refused after the second
    for (std::size_t i = 1; i < MaxFormulaLength; i += 2)
        text.Chars[i] = '-';
    PrepareFormula(text, std::numeric_limits<int32_t>::min(), 1, 1);
    EXPECT_FALSE(FormulaError);
    EXPECT_EQ(text.View().substr(0, 23), "(-2147483648--214748364");
    EXPECT_EQ(text.View().back(), ')');
}

TEST_F(EngineTest, RoundingGoesToTheEvenNeighbour) {
    const std::pair<double, double> rows[] = {{0.5, 0},   {1.5, 2}, {2.5, 2},   {-2.5, -2},
                                              {-3.5, -4}, {2.4, 2}, {-2.6, -3}, {7, 7}};
    for (const auto& [value, rounded] : rows)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST_F(EngineTest, EvaluationOfTextsThePreparationNeverMakes) {
    // Blanks are skipped; the function name is matched at the current place.
    FormulaValue v = EvaluateFormula("(1 2 + abs( 0 - 3 ))");
    EXPECT_EQ(v.Value, 15);
    EXPECT_EQ(v.ErrorPosition, 0);
    EXPECT_FALSE(FormulaError);

    v = EvaluateFormula("2)");
    EXPECT_EQ(v.ErrorPosition, 2);
    EXPECT_FALSE(FormulaError);

    // Nesting deeper than any formula can reach fails instead of
    // exhausting the stack.
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    v = EvaluateFormula(deep);
    EXPECT_TRUE(FormulaError);
    EXPECT_EQ(EvaluateFormula(std::string(200, '(') + "1" + std::string(200, ')')).Value, 1);
    EXPECT_FALSE(FormulaError);

    // Infinities and NaN from huge literals are values like any other.
    v = EvaluateFormula(std::string(400, '9') + "-" + std::string(400, '9'));
    EXPECT_FALSE(FormulaError);
    EXPECT_TRUE(std::isnan(v.Value));
    v = EvaluateFormula("s(" + std::string(400, '9') + "-" + std::string(400, '9') + ")");
    EXPECT_TRUE(FormulaError);
}

// Every prefix and suffix of these formulas, and random bytes, must give
// either a value or the invalid output, never a crash (run under ASan).
TEST_F(EngineTest, NoTextCrashesTheMachine) {
    const std::vector<std::string> formulas = {
        "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z,",
        "(((x+y)*(z-1)),)-d(h(x))",
        "b(0)+c(1)+e(2)+i(3)+j(4)+k(5)",
        "x)+(y/(z-z)*007--q",
        "v" + std::string(58, 'x') + "y",
        "\r\n\t\x01\x7f\x80\xff(x)\0"s,
        std::string(30, '(') + "x" + std::string(30, ')'),
        std::string(60, '-') + "1",
    };
    std::vector<std::string> texts;
    for (const std::string& f : formulas) {
        for (std::size_t n = 0; n <= f.size(); ++n) {
            texts.push_back(f.substr(0, n));
            texts.push_back(f.substr(n));
        }
    }
    std::mt19937 bytes(2026);
    for (int i = 0; i < 2000; ++i) {
        std::string t(bytes() % 70, ' ');
        for (char& c : t)
            c = static_cast<char>(i % 2 ? bytes() % 256
                                        : "xyzpqr()+-*/,0123456789absfcdeghijkv"[bytes() % 37]);
        texts.push_back(t);
    }
    for (int variables : {2, 3}) {
        for (const std::string& t : texts) {
            ResetEngineState();
            NumberOfVariables = variables;
            CurrentTask = 21;
            CurrentFormula = t;
            const int32_t output = MachineOutput(9, 1, variables == 2 ? 0 : 5);
            ASSERT_TRUE(output == InvalidOutput || (output > -10000 && output < 10000));
            if (FormulaError || LastErrorPosition != 0) {
                ASSERT_EQ(output, InvalidOutput);
            }
            (void)EvaluateFormula(t);
        }
    }
}

} // namespace
