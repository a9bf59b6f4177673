// Preparation and recursive-descent evaluation of formulas.
#include "engine/formula.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace KolvErkl {

namespace {

constexpr unsigned char EndMark = 13;   // stands for every position past the end
constexpr unsigned char FailMark = '?'; // no rule accepts it: every level ends
// Deeper nesting than any formula of MaxFormulaLength characters can have;
// a text nested deeper than this fails instead of exhausting the stack.
constexpr int MaxNesting = 1000;

// Matched in this order; the index chooses the function.
constexpr std::array<std::string_view, 12> FunctionNames = {"abs", "s", "f", "b", "c", "d",
                                                            "e",   "g", "h", "i", "j", "k"};
enum Function {
    Abs,
    LastDigit,
    First,
    Distinct,
    Lcm,
    Prime,
    Primes,
    Digits,
    Collatz,
    Missing,
    Remainder,
    TenXY
};

constexpr double SmallestInt32 = std::numeric_limits<int32_t>::min();
constexpr double LargestInt32 = std::numeric_limits<int32_t>::max();

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

struct EvaluationState {
    std::string_view Text;
    std::size_t Position = 0; // 1-based; 0 before the first character is read
    unsigned char Current = ' ';
    int32_t ErrorPosition = 0;
    bool Failed = false;
    int Nesting = 0;
};

void NextChar(EvaluationState& s) {
    do {
        ++s.Position;
        s.Current = s.Position <= s.Text.size() ? static_cast<unsigned char>(s.Text[s.Position - 1])
                                                : EndMark;
    } while (s.Current == ' ');
}

double Fail(EvaluationState& s) {
    s.Current = FailMark;
    s.Failed = true;
    return 0;
}

// A failure on a value (a zero divisor, or a function without a value for
// its argument): the reading fails where the value was read. Substituted
// values keep their places, so the position of the last character read,
// counted in the blank-free formula, is the current position - 2.
double FailOnValue(EvaluationState& s) {
    s.ErrorPosition = static_cast<int32_t>(std::min<std::size_t>(
        s.Position >= 2 ? s.Position - 2 : 0, std::numeric_limits<int32_t>::max()));
    return Fail(s);
}

// A run of digits. Digit by digit into a double: a run too long for a
// double becomes infinite, which the machine refuses like any value of
// 10000 or more.
double Number(EvaluationState& s) {
    double value = 0;
    while (IsDigit(s.Current)) {
        value = value * 10 + (s.Current - '0');
        NextChar(s);
    }
    return value;
}

double Primary(EvaluationState& s);

// At most one "-", then a Primary. A number, the commonest Primary, is
// read here without the call.
double Factor(EvaluationState& s) {
    if (IsDigit(s.Current))
        return Number(s);
    if (s.Current != '-')
        return Primary(s);
    NextChar(s);
    return -Primary(s);
}

// Factors joined by "*" and "/"; every quotient is truncated toward zero.
double Term(EvaluationState& s) {
    double value = Factor(s);
    while (s.Current == '*' || s.Current == '/') {
        const unsigned char op = s.Current;
        NextChar(s);
        const double factor = Factor(s);
        if (s.Failed)
            break; // a divisor that could not be read is no zero divisor
        if (op == '*') {
            value *= factor;
        } else if (factor == 0) {
            FailOnValue(s); // the term ends; its value has no meaning
            break;
        } else {
            value = std::trunc(value / factor);
        }
    }
    return value;
}

// Terms joined by "+" and "-", from left to right.
double Expression(EvaluationState& s) {
    double value = Term(s);
    while (s.Current == '+' || s.Current == '-') {
        const unsigned char op = s.Current;
        NextChar(s);
        const double term = Term(s);
        value = op == '+' ? value + term : value - term;
    }
    return value;
}

// After "(" (the current character): an Expression closed by ")" or ",".
double Parenthesised(EvaluationState& s) {
    NextChar(s);
    const double value = Expression(s);
    if (s.Current != ')' && s.Current != ',')
        return Fail(s);
    NextChar(s);
    return value;
}

// The first name of the table that equals the text of its own length at the
// current position.
int MatchFunctionName(const EvaluationState& s) {
    const std::size_t at = s.Position - 1;
    if (at >= s.Text.size())
        return -1;
    const std::size_t left = s.Text.size() - at;
    const char* rest = s.Text.data() + at;
    for (std::size_t i = 0; i < FunctionNames.size(); ++i) {
        const std::string_view name = FunctionNames[i];
        if (rest[0] == name[0] && name.size() <= left &&
            std::memcmp(rest, name.data(), name.size()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// A value that a function computed in 64 bits, or a failure when it lies
// beyond the engine's integers.
double Int32Result(EvaluationState& s, int64_t value) {
    const bool fits = value >= std::numeric_limits<int32_t>::min() &&
                      value <= std::numeric_limits<int32_t>::max();
    return fits ? static_cast<double>(value) : FailOnValue(s);
}

// The named function of its (whole) argument. b, c, e, i, j and k read
// CurrentValues under the number of variables in force.
double Apply(EvaluationState& s, int function, double argument) {
    switch (function) {
    case Abs:
        return std::fabs(argument);
    case Distinct:
        return DistinctCount();
    case Primes:
        return PrimeCount();
    case Missing:
        return SmallestMissing();
    case Lcm: {
        // Only x = y = 0, which no experiment gives, has no value.
        const int64_t gcd = Gcd(CurrentValues[0], CurrentValues[1]);
        if (gcd == 0)
            return FailOnValue(s);
        return static_cast<double>(int64_t{CurrentValues[0]} * CurrentValues[1] / gcd);
    }
    case TenXY: {
        // A third value of 0 (2 variables before any 3-variable experiment)
        // fails like a zero divisor.
        const auto value = TenXYDivZ();
        return value ? static_cast<double>(*value) : FailOnValue(s);
    }
    default:
        break;
    }

    // The other functions take the argument as a 32-bit integer; an argument
    // beyond that range (or NaN) has no value.
    argument = RoundHalfEven(argument);
    if (!(argument >= SmallestInt32 && argument <= LargestInt32))
        return FailOnValue(s);
    const int32_t n = static_cast<int32_t>(argument);
    switch (function) {
    case LastDigit:
        return n % 10;
    case First:
        return FirstDigit(n);
    case Digits:
        return DigitSum(n);
    case Prime:
        // Past the largest 32-bit prime there is no value.
        return Int32Result(s, NextPrime(n));
    case Collatz:
        return Int32Result(s, n % 2 != 0 ? 3 * int64_t{n} + 1 : n / 2);
    case Remainder: {
        // j(0) would divide by zero: it fails like a zero divisor.
        const auto value = SumMod(n);
        return value ? *value : FailOnValue(s);
    }
    default:
        return Fail(s);
    }
}

// A function name, "(" and the argument as a parenthesised Primary.
double FunctionCall(EvaluationState& s) {
    const int function = MatchFunctionName(s);
    if (function < 0)
        return Fail(s);
    s.Position += FunctionNames[function].size() - 1;
    NextChar(s);
    if (s.Current != '(')
        return Fail(s);
    const double argument = Primary(s);
    if (s.Failed)
        return 0;
    return Apply(s, function, argument);
}

// A number; "(", an Expression and ")" or ","; or a named function of one.
double Primary(EvaluationState& s) {
    if (s.Nesting >= MaxNesting)
        return Fail(s);
    ++s.Nesting;
    double value;
    if (IsDigit(s.Current))
        value = Number(s);
    else if (s.Current == '(')
        value = Parenthesised(s);
    else
        value = FunctionCall(s);
    --s.Nesting;
    return value;
}

bool MayPrecedeVariable(char c) {
    return c == '(' || c == '*' || c == '+' || c == '-' || c == '/' || c == 'v';
}

// The letters in the order of substitution, each with its value.
using Letters = std::pair<char, int32_t>[6];

// Where a letter stands in Letters (x, y, z, p, q, r); -1 for any other.
int VariableIndex(char c) {
    switch (c) {
    case 'x':
        return 0;
    case 'y':
        return 1;
    case 'z':
        return 2;
    case 'p':
        return 3;
    case 'q':
        return 4;
    case 'r':
        return 5;
    default:
        return -1;
    }
}

// Letter by letter, every occurrence in turn; the first refusal ends all
// substitution and may leave letters in the text. Returns false on a refusal.
bool SubstituteInOrder(FormulaText& text, const Letters& letters) {
    for (const auto& [letter, value] : letters) {
        Substitution result = Substitution::Replaced;
        while (result == Substitution::Replaced)
            result = SubstituteVariable(text, letter, value);
        if (result == Substitution::Refused)
            return false;
    }
    return true;
}

// The whole preparation in one pass, for the usual case: a formula within
// the length limit, every value a single digit and no letter refused.
// Whether an occurrence is refused does not depend on the order of
// substitution (a letter before it is refused both as a letter and as the
// digit it becomes), so the one pass refuses exactly what the letter-by-
// letter way refuses. On a refusal it leaves the text alone and returns
// false: the letter-by-letter way then makes the partly substituted text.
bool PrepareInOnePass(FormulaText& text, const Letters& letters) {
    if (text.Length > MaxFormulaLength)
        return false;
    char digits[6];
    for (int i = 0; i < 6; ++i) {
        if (letters[i].second < 0 || letters[i].second > 9)
            return false;
        digits[i] = static_cast<char>('0' + letters[i].second);
    }
    char prepared[MaxFormulaLength + 2];
    std::size_t length = 0;
    prepared[length++] = '(';
    for (std::size_t i = 0; i < text.Length; ++i) {
        const char c = text.Chars[i];
        if (c == ' ')
            continue;
        const int index = VariableIndex(c);
        if (index < 0) {
            prepared[length++] = c;
        } else if (MayPrecedeVariable(prepared[length - 1])) {
            prepared[length++] = digits[index];
        } else {
            return false;
        }
    }
    prepared[length++] = ')';
    std::memcpy(text.Chars, prepared, length);
    text.Length = length;
    return true;
}

} // namespace

double RoundHalfEven(double value) {
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2 * std::round(value / 2);
    return nearest;
}

FormulaText::FormulaText(std::string_view formula) {
    Length = std::min<std::size_t>(formula.size(), MaxFormulaLength);
    std::memcpy(Chars, formula.data(), Length);
}

void RemoveBlanks(FormulaText& text) {
    char* end = std::remove(text.Chars, text.Chars + text.Length, ' ');
    text.Length = static_cast<std::size_t>(end - text.Chars);
}

Substitution SubstituteVariable(FormulaText& text, char letter, int32_t value) {
    const std::size_t at = text.view().find(letter);
    if (at == std::string_view::npos)
        return Substitution::Absent;
    if (at == 0 || !MayPrecedeVariable(text.Chars[at - 1]))
        return Substitution::Refused;
    char digits[FormulaText::LongestValueText];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    const std::size_t count = static_cast<std::size_t>(written.ptr - digits);
    if (text.Length - 1 + count > FormulaText::Capacity)
        return Substitution::Refused; // cannot happen within MaxFormulaLength
    std::memmove(text.Chars + at + count, text.Chars + at + 1, text.Length - at - 1);
    std::memcpy(text.Chars + at, digits, count);
    text.Length = text.Length - 1 + count;
    return Substitution::Replaced;
}

void PrepareFormula(FormulaText& text, int32_t x, int32_t y, int32_t z) {
    const Statistics stats = ValueStatistics(x, y, z);
    SmallestValue = stats.Smallest;
    MiddleValue = stats.Middle;
    LargestValue = stats.Largest;

    const Letters letters = {{'x', x},
                             {'y', y},
                             {'z', z},
                             {'p', stats.Smallest},
                             {'q', stats.Middle},
                             {'r', stats.Largest}};
    if (PrepareInOnePass(text, letters)) {
        FormulaError = false;
        return;
    }

    RemoveBlanks(text);
    // The added "(" guarantees a character before every letter.
    text.Length = std::min(text.Length, FormulaText::Capacity - 2);
    std::memmove(text.Chars + 1, text.Chars, text.Length);
    text.Chars[0] = '(';
    text.Chars[text.Length + 1] = ')';
    text.Length += 2;
    FormulaError = !SubstituteInOrder(text, letters);
}

FormulaValue EvaluateFormula(std::string_view prepared) {
    EvaluationState s;
    s.Text = prepared;
    FormulaError = false;
    NextChar(s);
    const double value = Expression(s);
    if (s.Current == EndMark)
        s.ErrorPosition = 0; // read to its end
    else if (!s.Failed)
        s.ErrorPosition = static_cast<int32_t>(
            std::min<std::size_t>(s.Position, std::numeric_limits<int32_t>::max()));
    FormulaError = s.Failed;
    return {value, s.ErrorPosition};
}

} // namespace KolvErkl
