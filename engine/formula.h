// SPDX-License-Identifier: GPL-3.0-or-later
// The formula language of own tasks and extra tasks.
//
// A formula is evaluated in two steps. PrepareFormula removes the blanks,
// wraps the text in parentheses and replaces every variable letter by the
// digits of its value; EvaluateFormula reads the prepared text by recursive
// descent. Failures are state, not exceptions: FormulaError and the
// position where the reading stopped.
//
// Texts are bytes (windows-1252 from files) and may hold any byte; only the
// characters of the language mean anything.
#pragma once

#include "engine/kolv_erkl.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace KolvErkl {

// A formula on its way to evaluation, held in a fixed buffer so that the
// machine's formula path never allocates. It takes at most MaxFormulaLength
// bytes of formula (longer input is cut there). Preparation adds the two
// parentheses; a value outside 0..9 (which no experiment produces) takes
// more than one character, and the buffer has room for that too.
struct FormulaText {
    static constexpr std::size_t LongestValueText = 11; // "-2147483648"
    static constexpr std::size_t Capacity = 2 + MaxFormulaLength * LongestValueText;

    FormulaText() = default;
    explicit FormulaText(std::string_view formula);

    std::string_view View() const { return {Chars, Length}; }

    char Chars[Capacity];
    std::size_t Length = 0;
};

// Deletes every blank (code 32) and nothing else.
void RemoveBlanks(FormulaText& text);

enum class Substitution { Replaced, Absent, Refused };

// Replaces the first occurrence of the letter by the decimal digits of the
// value, provided the character before it is "(", "*", "+", "-", "/" or "v".
Substitution SubstituteVariable(FormulaText& text, char letter, int32_t value);

// Turns a formula into its prepared text for the values (x, y, z) under the
// current number of variables: stores smallest, middle and largest value
// (p, q, r) in the engine state and raises FormulaError when a variable
// letter stands where it may not.
void PrepareFormula(FormulaText& text, int32_t x, int32_t y, int32_t z);

// The real value of a prepared text and where the reading stopped.
// ErrorPosition is 0 when the text was read to its end, or when the reading
// failed (FormulaError raised) other than on a value: a zero divisor, or a
// function whose argument or result lies beyond the engine's integers, sets
// it to the position of the last character read, counted in the blank-free
// formula. A reading that stopped early on a character no rule accepts
// leaves FormulaError lowered and gives that character's position in the
// prepared text.
struct FormulaValue {
    double Value = 0;
    int32_t ErrorPosition = 0;
};
FormulaValue EvaluateFormula(std::string_view prepared);

// The machine's formula path: prepares the formula (cut at MaxFormulaLength)
// for the values, whose statistics are given, as PrepareFormula does, and
// evaluates the prepared text unless a letter was refused. A refusal raises
// FormulaError and gives a zero value and position. The statistics are
// computed once by the caller, and the text never leaves the stack.
FormulaValue PrepareAndEvaluate(std::string_view formula, int32_t x, int32_t y, int32_t z,
                                const Statistics& stats);

// The nearest whole number, a value exactly halfway going to the even
// neighbour, whatever rounding mode the floating-point unit is in.
double RoundHalfEven(double value);

} // namespace KolvErkl
