// SPDX-License-Identifier: GPL-3.0-or-later
// The named functions of the formula language.
#include "engine/formula_functions.h"

#include "engine/formula.h"
#include "engine/kolv_erkl.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace KolvErkl {

namespace {

// The index of each name in FunctionNames.
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

// A value computed in 64 bits, when it lies within the engine's integers.
std::optional<double> int32Result(int64_t value) {
    const bool fits = value >= std::numeric_limits<int32_t>::min() &&
                      value <= std::numeric_limits<int32_t>::max();
    return fits ? std::optional<double>(static_cast<double>(value)) : std::nullopt;
}

} // namespace

std::optional<double> ApplyFunction(std::size_t function, double argument) {
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
            return std::nullopt;
        return static_cast<double>(int64_t{CurrentValues[0]} * CurrentValues[1] / gcd);
    }
    case TenXY: {
        // A third value of 0 (2 variables before any 3-variable experiment)
        // has no value, like a zero divisor.
        const auto value = TenXYDivZ();
        return value ? std::optional<double>(static_cast<double>(*value)) : std::nullopt;
    }
    default:
        break;
    }

    // The other functions take the argument as a 32-bit integer; an argument
    // beyond that range (or NaN) has no value.
    argument = RoundHalfEven(argument);
    if (!(argument >= SmallestInt32 && argument <= LargestInt32))
        return std::nullopt;
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
        return int32Result(NextPrime(n));
    case Collatz:
        return int32Result(n % 2 != 0 ? 3 * int64_t{n} + 1 : n / 2);
    case Remainder: {
        // j(0) would divide by zero: no value, like a zero divisor.
        const auto value = SumMod(n);
        return value ? std::optional<double>(*value) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace KolvErkl
