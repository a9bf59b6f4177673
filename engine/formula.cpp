// SPDX-License-Identifier: GPL-3.0-or-later
// Preparation and recursive-descent evaluation of formulas.
//
// Two readers share the grammar: the general one of any text, which
// EvaluateFormula is, and the machine's own, which reads the text that it
// prepared in one pass into a buffer of its own, ending in the end mark, so
// that reading on needs no bounds check, no blank skipping and no nesting
// count. Every result is the same with either (tests and a fuzz target
// compare them). Values of ordinary size are rounded by integer conversion
// instead of a library call.
//
// Why the machine keeps a reader of its own: the companion's batch
// evaluation is to be 3 to 4 times as fast as TinyExpr in whole processes,
// and the general reader alone falls short of that. Medians on a quiet
// machine, Release build, g++ 12 (bench_companion, bench_machine; the
// general reader alone measured with PrepareAndEvaluate taking
// PrepareFormula and EvaluateFormula, and as bench_machine's GeneralReader):
//
//                                            machine's reader   general alone
//   batch of 100 000 lines, whole process         18.4 ms          20.8 ms
//   batch of 1 000 lines, whole process            1.5 ms           1.5 ms
//   one output, formulas of 11 to 60 characters   29-174 ns        47-235 ns
//   the experiment's draw of one value            71-385 ns       105-495 ns
//   one click's 60 000 draws without a value       4.2 ms           5.0 ms
//
// TinyExpr took 46.7 ms for 100 000 lines that it can read (+ - * / ( ) abs;
// a batch program of the same shape, -O3), against 14.8 ms for the
// machine's reader (3.2 times as fast) and 16.5 ms for the general reader
// alone (2.8 times). A batch of 1 000 lines is the process's start either
// way. In the windows neither reader is felt: a click's draws stay far
// inside its 800 ms budget.
#include "engine/formula.h"

#include "engine/formula_functions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace KolvErkl {

namespace {

constexpr unsigned char EndMark = 13;   // stands for every position past the end
constexpr unsigned char FailMark = '?'; // no rule accepts it: every level ends
// Deeper nesting than any formula of MaxFormulaLength characters can have;
// a text nested deeper than this fails instead of exhausting the stack.
constexpr int MaxNesting = 1000;

// Every double of this magnitude or more is a whole number. Below it a
// conversion to int64_t truncates toward zero exactly and cannot overflow.
constexpr double WholeFrom = 0x1p52;

// The letters in the order of substitution; a letter's index in this text
// is its place in Letters.
constexpr std::string_view VariableLetters = "xyzpqr";
constexpr int LetterCount = 6;

// What a character is to the preparation and to the reading of a name.
struct CharacterTable {
    static constexpr unsigned char Blank = LetterCount;
    static constexpr unsigned char Plain = LetterCount + 1;

    std::array<unsigned char, 256> Kind{};               // a letter's index, Blank or Plain
    std::array<bool, 256> MayPrecedeVariable{};          // "(", "*", "+", "-", "/" and "v"
    std::array<signed char, 256> FunctionStartingWith{}; // -1 for no function
};

constexpr CharacterTable MakeCharacterTable() {
    CharacterTable table;
    for (int c = 0; c < 256; ++c) {
        table.Kind[c] = CharacterTable::Plain;
        table.FunctionStartingWith[c] = -1;
    }
    for (int i = 0; i < LetterCount; ++i)
        table.Kind[static_cast<unsigned char>(VariableLetters[i])] = static_cast<unsigned char>(i);
    table.Kind[' '] = CharacterTable::Blank;
    for (const char c : std::string_view("(*+-/v"))
        table.MayPrecedeVariable[static_cast<unsigned char>(c)] = true;
    // One function per first letter, so that the first name of the table
    // that matches is the only candidate. A second name with a first letter
    // already taken stops the compilation here.
    for (std::size_t i = 0; i < FunctionNames.size(); ++i) {
        const auto first = static_cast<unsigned char>(FunctionNames[i][0]);
        if (table.FunctionStartingWith[first] >= 0)
            throw "two function names start with the same letter";
        table.FunctionStartingWith[first] = static_cast<signed char>(i);
    }
    return table;
}

constexpr CharacterTable Characters = MakeCharacterTable();

bool MayPrecedeVariable(char c) {
    return Characters.MayPrecedeVariable[static_cast<unsigned char>(c)];
}

// The texts a reading can walk through. Both give the current character,
// the end mark at every position past the end, and positions counted from
// 1 (blanks included).
//
// Any text, of any length and with blanks, which the reading skips.
class AnyText {
public:
    static constexpr bool MayNestTooDeeply = true;

    explicit AnyText(std::string_view text) : text_(text) { Next(); }

    unsigned char Current() const { return char_; }
    std::size_t Position() const { return place_; }
    void Next() {
        do {
            ++place_;
            char_ =
                place_ <= text_.size() ? static_cast<unsigned char>(text_[place_ - 1]) : EndMark;
        } while (char_ == ' ');
    }
    // The current character becomes the fail mark.
    void Stop() { char_ = FailMark; }
    // Whether the text holds the name from the current character on.
    bool Holds(std::string_view name) const {
        return place_ - 1 < text_.size() && text_.substr(place_ - 1).starts_with(name);
    }
    // Goes past the characters of a name the text holds.
    void Skip(std::size_t count) {
        place_ += count - 1;
        Next();
    }

private:
    std::string_view text_;
    std::size_t place_ = 0; // 0 before the first character is read
    unsigned char char_ = ' ';
};

// A prepared text in the machine's own buffer: it holds no blanks and is
// followed by the end mark, so reading on needs no bounds check. No rule
// accepts the end mark, so the reading never goes past it.
class PreparedText {
public:
    // Every level of nesting takes a character, and the machine's texts
    // are far shorter than MaxNesting.
    static constexpr bool MayNestTooDeeply = false;
    static_assert(FormulaText::Capacity < MaxNesting);

    // The text must end in the end mark.
    explicit PreparedText(unsigned char* text) : begin_(text), at_(text) {}

    unsigned char Current() const { return *at_; }
    std::size_t Position() const { return static_cast<std::size_t>(at_ - begin_) + 1; }
    void Next() { ++at_; }
    // Nothing reads on after a failure: writing the fail mark over the
    // current character is enough.
    void Stop() { *at_ = FailMark; }
    bool Holds(std::string_view name) const {
        // A mismatch, at the latest on the end mark, ends the comparison
        // before it can pass the end.
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (at_[i] != static_cast<unsigned char>(name[i]))
                return false;
        }
        return true;
    }
    void Skip(std::size_t count) { at_ += count; }

private:
    const unsigned char* begin_;
    unsigned char* at_;
};

template <class Text> struct EvaluationState {
    Text Reader;
    int32_t ErrorPosition = 0;
    bool Failed = false;
    int Nesting = 0;
};

template <class Text> double Fail(EvaluationState<Text>& s) {
    s.Reader.Stop();
    s.Failed = true;
    return 0;
}

// A failure on a value (a zero divisor, or a function without a value for
// its argument): the reading fails where the value was read. Substituted
// values keep their places, so the position of the last character read,
// counted in the blank-free formula, is the current position - 2.
template <class Text> double FailOnValue(EvaluationState<Text>& s) {
    const std::size_t position = s.Reader.Position();
    s.ErrorPosition = static_cast<int32_t>(std::min<std::size_t>(
        position >= 2 ? position - 2 : 0, std::numeric_limits<int32_t>::max()));
    return Fail(s);
}

// The value of a digit character; 10 or more for any other character.
unsigned DigitValue(unsigned char c) {
    return static_cast<unsigned>(c) - '0';
}

// A run of digits, at least one. Digit by digit into a double: a run too long for a
// double becomes infinite, which the machine refuses like any value of
// 10000 or more.
template <class Text> double Number(EvaluationState<Text>& s) {
    // A local copy of the reader stays in registers while the digits are
    // read.
    Text reader = s.Reader;
    double value = DigitValue(reader.Current()); // the first digit, read by the caller
    reader.Next();
    for (unsigned digit; (digit = DigitValue(reader.Current())) <= 9; reader.Next())
        value = value * 10 + digit;
    s.Reader = reader;
    return value;
}

template <class Text> double Primary(EvaluationState<Text>& s);

// At most one "-", then a Primary. A number, the commonest Primary, is
// read here without the call.
template <class Text> double Factor(EvaluationState<Text>& s) {
    if (DigitValue(s.Reader.Current()) <= 9)
        return Number(s);
    if (s.Reader.Current() != '-')
        return Primary(s);
    s.Reader.Next();
    return -Primary(s);
}

// Factors joined by "*" and "/"; every quotient is truncated toward zero.
// Inlined into Expression, so that the reading makes one call per level of
// parentheses rather than one per term.
template <class Text> [[gnu::always_inline]] inline double Term(EvaluationState<Text>& s) {
    double value = Factor(s);
    while (s.Reader.Current() == '*' || s.Reader.Current() == '/') {
        const unsigned char op = s.Reader.Current();
        s.Reader.Next();
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
template <class Text> double Expression(EvaluationState<Text>& s) {
    double value = Term(s);
    while (s.Reader.Current() == '+' || s.Reader.Current() == '-') {
        const unsigned char op = s.Reader.Current();
        s.Reader.Next();
        const double term = Term(s);
        value = op == '+' ? value + term : value - term;
    }
    return value;
}

// After "(" (the current character): an Expression closed by ")" or ",".
template <class Text> double Parenthesised(EvaluationState<Text>& s) {
    s.Reader.Next();
    const double value = Expression(s);
    if (s.Reader.Current() != ')' && s.Reader.Current() != ',')
        return Fail(s);
    s.Reader.Next();
    return value;
}

// The first name of the table that equals the text of its own length at the
// current position.
template <class Text> int MatchFunctionName(const Text& text) {
    const int function = Characters.FunctionStartingWith[text.Current()];
    return function >= 0 && text.Holds(FunctionNames[function]) ? function : -1;
}

// A function name, "(" and the argument as a parenthesised Primary.
template <class Text> double FunctionCall(EvaluationState<Text>& s) {
    const int function = MatchFunctionName(s.Reader);
    if (function < 0)
        return Fail(s);
    s.Reader.Skip(FunctionNames[function].size());
    if (s.Reader.Current() != '(')
        return Fail(s);
    const double argument = Primary(s);
    if (s.Failed)
        return 0;
    const std::optional<double> value = ApplyFunction(static_cast<std::size_t>(function), argument);
    return value ? *value : FailOnValue(s);
}

// A number; "(", an Expression and ")" or ","; or a named function of one.
template <class Text> double Primary(EvaluationState<Text>& s) {
    if constexpr (Text::MayNestTooDeeply) {
        if (s.Nesting >= MaxNesting)
            return Fail(s);
        ++s.Nesting;
    }
    double value;
    if (DigitValue(s.Reader.Current()) <= 9)
        value = Number(s);
    else if (s.Reader.Current() == '(')
        value = Parenthesised(s);
    else
        value = FunctionCall(s);
    if constexpr (Text::MayNestTooDeeply)
        --s.Nesting;
    return value;
}

template <class Text> FormulaValue Evaluate(Text text) {
    EvaluationState<Text> s{text};
    FormulaError = false;
    const double value = Expression(s);
    if (s.Reader.Current() == EndMark)
        s.ErrorPosition = 0; // read to its end
    else if (!s.Failed)
        s.ErrorPosition = static_cast<int32_t>(
            std::min<std::size_t>(s.Reader.Position(), std::numeric_limits<int32_t>::max()));
    FormulaError = s.Failed;
    return {value, s.ErrorPosition};
}

// The letters in the order of substitution, each with its value.
using Letters = std::array<std::pair<char, int32_t>, LetterCount>;

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

// The general preparation: without blanks, in parentheses, and every letter
// replaced in turn. Raises FormulaError on a refusal.
void PrepareLetterByLetter(FormulaText& text, const Letters& letters) {
    RemoveBlanks(text);
    // The added "(" guarantees a character before every letter.
    text.Length = std::min(text.Length, FormulaText::Capacity - 2);
    std::memmove(text.Chars + 1, text.Chars, text.Length);
    text.Chars[0] = '(';
    text.Chars[text.Length + 1] = ')';
    text.Length += 2;
    FormulaError = !SubstituteInOrder(text, letters);
}

// The digit of every letter's value, when each is a single digit.
bool SingleDigits(const Letters& letters, char (&digits)[LetterCount]) {
    for (int i = 0; i < LetterCount; ++i) {
        if (letters[i].second < 0 || letters[i].second > 9)
            return false;
        digits[i] = static_cast<char>('0' + letters[i].second);
    }
    return true;
}

// The whole preparation in one pass, for the usual case: a formula within
// the length limit and every value a single digit. Whether an occurrence is
// refused does not depend on the order of substitution (a letter before it
// is refused both as a letter and as the digit it becomes), so the one pass
// refuses exactly what the letter-by-letter way refuses. Writes the
// prepared text (at most MaxFormulaLength + 2 characters) and returns its
// length, or 0 on a refusal.
std::size_t PrepareInOnePass(std::string_view formula, const char (&digits)[LetterCount],
                             unsigned char* prepared) {
    std::size_t length = 0;
    prepared[length++] = '(';
    for (const char c : formula) {
        const unsigned char kind = Characters.Kind[static_cast<unsigned char>(c)];
        if (kind == CharacterTable::Plain) {
            prepared[length++] = static_cast<unsigned char>(c);
        } else if (kind < LetterCount) {
            if (!Characters.MayPrecedeVariable[prepared[length - 1]])
                return 0;
            prepared[length++] = static_cast<unsigned char>(digits[kind]);
        }
    }
    prepared[length++] = ')';
    return length;
}

// Stores the statistics in the engine state and pairs every letter with
// its value.
Letters StoreStatistics(int32_t x, int32_t y, int32_t z, const Statistics& stats) {
    SmallestValue = stats.Smallest;
    MiddleValue = stats.Middle;
    LargestValue = stats.Largest;
    return {{{'x', x},
             {'y', y},
             {'z', z},
             {'p', stats.Smallest},
             {'q', stats.Middle},
             {'r', stats.Largest}}};
}

} // namespace

double RoundHalfEven(double value) {
    if (std::fabs(value) < WholeFrom) {
        // Exact: the whole part by conversion, the fraction by subtraction.
        const int64_t whole = static_cast<int64_t>(value);
        const double fraction = std::fabs(value - static_cast<double>(whole));
        const bool away = fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0);
        const int64_t nearest = away ? whole + (value < 0 ? -1 : 1) : whole;
        return std::copysign(static_cast<double>(nearest), value); // -0.3 gives -0
    }
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
    const std::size_t at = text.View().find(letter);
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
    const Letters letters = StoreStatistics(x, y, z, ValueStatistics(x, y, z));
    char digits[LetterCount];
    if (text.Length <= MaxFormulaLength && SingleDigits(letters, digits)) {
        unsigned char prepared[MaxFormulaLength + 2];
        const std::size_t length = PrepareInOnePass(text.View(), digits, prepared);
        if (length != 0) {
            std::memcpy(text.Chars, prepared, length);
            text.Length = length;
            FormulaError = false;
            return;
        }
        // On a refusal the letter-by-letter way makes the partly
        // substituted text.
    }
    PrepareLetterByLetter(text, letters);
}

FormulaValue EvaluateFormula(std::string_view prepared) {
    return Evaluate(AnyText(prepared));
}

FormulaValue PrepareAndEvaluate(std::string_view formula, int32_t x, int32_t y, int32_t z,
                                const Statistics& stats) {
    const Letters letters = StoreStatistics(x, y, z, stats);
    formula = formula.substr(0, MaxFormulaLength);
    char digits[LetterCount];
    if (SingleDigits(letters, digits)) {
        unsigned char prepared[MaxFormulaLength + 3]; // and the end mark
        const std::size_t length = PrepareInOnePass(formula, digits, prepared);
        if (length == 0) {
            FormulaError = true;
            return {};
        }
        prepared[length] = EndMark;
        return Evaluate(PreparedText(prepared));
    }

    FormulaText text(formula);
    PrepareLetterByLetter(text, letters);
    if (FormulaError)
        return {};
    unsigned char prepared[FormulaText::Capacity + 1];
    std::memcpy(prepared, text.Chars, text.Length);
    prepared[text.Length] = EndMark;
    return Evaluate(PreparedText(prepared));
}

} // namespace KolvErkl
