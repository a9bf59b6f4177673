// SPDX-License-Identifier: GPL-3.0-or-later
// Statistics of a set of values and the number operations behind the named
// functions of the formula language. Integer arithmetic follows the engine's
// rules: div truncates toward zero, mod has the sign of the dividend (C++'s
// / and % do exactly that). Intermediate results are 64-bit so that no
// argument in the 32-bit range can overflow.
#include "engine/kolv_erkl.h"

#include <algorithm>

namespace KolvErkl {

namespace {

// (base ^ exponent) mod modulus for a modulus below 2^32, so that every
// product fits in 64 bits.
uint64_t PowerMod(uint64_t base, uint64_t exponent, uint64_t modulus) {
    uint64_t result = 1;
    base %= modulus;
    while (exponent > 0) {
        if (exponent & 1)
            result = result * base % modulus;
        base = base * base % modulus;
        exponent >>= 1;
    }
    return result;
}

// Whether n passes the strong-probable-prime test to the base a, where
// n - 1 = d * 2^s with d odd.
bool StrongProbablePrime(uint64_t n, uint64_t a, uint64_t d, int s) {
    uint64_t x = PowerMod(a, d, n);
    if (x == 1 || x == n - 1)
        return true;
    for (int i = 1; i < s; ++i) {
        x = x * x % n;
        if (x == n - 1)
            return true;
    }
    return false;
}

// The same answers as the rule "n is prime when its smallest divisor >= 2 is
// n itself", at a cost that does not grow with n: small divisors first, then
// Miller-Rabin with the bases 2, 7 and 61, which no composite number below
// 4 759 123 141 passes. Every argument (NextPrime goes a little past 2^31)
// lies below that, and below 2^32, where the products fit in 64 bits.
bool IsPrime64(int64_t n) {
    if (n < 2)
        return false; // 1, 0 and every negative number
    static constexpr int64_t SmallPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    for (const int64_t p : SmallPrimes) {
        if (n % p == 0)
            return n == p;
    }
    if (n < 41 * 41)
        return true;
    const uint64_t odd = static_cast<uint64_t>(n);
    uint64_t d = odd - 1;
    int s = 0;
    while (d % 2 == 0) {
        d /= 2;
        ++s;
    }
    static constexpr uint64_t Bases[] = {2, 7, 61};
    for (const uint64_t a : Bases) {
        if (!StrongProbablePrime(odd, a, d, s))
            return false;
    }
    return true;
}

Statistics CurrentStatistics() {
    return ValueStatistics(CurrentValues[0], CurrentValues[1], CurrentValues[2]);
}

} // namespace

Statistics ValueStatistics(int32_t x, int32_t y, int32_t z) {
    // The machine asks for these on every output: the usual numbers of
    // variables without the loops.
    if (NumberOfVariables == 3) {
        const int32_t smallest = std::min(std::min(x, y), z);
        const int32_t largest = std::max(std::max(x, y), z);
        const int32_t middle = static_cast<int32_t>(int64_t{x} + y + z - smallest - largest);
        return {largest, middle, smallest, 1 + int32_t{x != y} + int32_t{x != z && y != z}};
    }
    if (NumberOfVariables == 2)
        return {std::max(x, y), 0, std::min(x, y), x == y ? 1 : 2};

    const int32_t values[3] = {x, y, z};
    const int count = std::clamp<int32_t>(NumberOfVariables, 0, 3);
    int64_t sum = 0;
    for (int i = 0; i < count; ++i)
        sum += values[i];
    Statistics s;
    s.Largest = x;
    s.Smallest = x;
    for (int i = 1; i < count; ++i) {
        if (values[i] > s.Largest)
            s.Largest = values[i];
        if (values[i] < s.Smallest)
            s.Smallest = values[i];
    }
    // With 3 variables the one value left over; with 2 always 0.
    s.Middle = static_cast<int32_t>(sum - s.Smallest - s.Largest);
    if (NumberOfVariables == 3) {
        if (y == x && y == z)
            s.Distinct = 1;
        else if (y != x && y != z && x != z)
            s.Distinct = 3;
        else
            s.Distinct = 2;
    } else {
        s.Distinct = x == y ? 1 : 2;
    }
    return s;
}

int32_t DistinctCount() {
    return CurrentStatistics().Distinct;
}

bool IsPrime(int32_t n) {
    return IsPrime64(n);
}

int64_t NextPrime(int32_t n) {
    if (n < 2)
        return 2;
    int64_t candidate = int64_t{n} + 1;
    while (!IsPrime64(candidate))
        ++candidate;
    return candidate;
}

int32_t PrimeCount() {
    const Statistics s = CurrentStatistics();
    // Repeated primes count every time they occur.
    return int32_t{IsPrime(s.Largest)} + int32_t{IsPrime(s.Middle)} + int32_t{IsPrime(s.Smallest)};
}

int32_t SmallestMissing() {
    const Statistics s = CurrentStatistics();
    int32_t k = 1;
    while (k == s.Largest || k == s.Middle || k == s.Smallest)
        ++k;
    return k;
}

int32_t DigitSum(int32_t n) {
    // Everything above the tens counts as one part: 1234 gives 12 + 3 + 4.
    return n / 100 + (n % 100) / 10 + n % 10;
}

int32_t FirstDigit(int32_t n) {
    const int32_t hundreds = n / 100;
    const int32_t tens = (n % 100) / 10;
    const int32_t units = n % 10;
    if (hundreds > 0)
        return hundreds;
    if (tens > 0)
        return tens;
    return units;
}

std::optional<int64_t> TenXYDivZ() {
    const int64_t z = CurrentValues[2];
    if (z == 0)
        return std::nullopt;
    return (10 * int64_t{CurrentValues[0]} + CurrentValues[1]) / z;
}

std::optional<int32_t> SumMod(int32_t n) {
    if (n == 0)
        return std::nullopt;
    const Statistics s = CurrentStatistics();
    const int64_t sum = int64_t{s.Largest} + s.Middle + s.Smallest;
    return static_cast<int32_t>(sum % n);
}

int64_t Gcd(int32_t first, int32_t second) {
    // 64-bit, so that INT32_MIN mod -1 is an ordinary 0.
    int64_t a = first, b = second;
    while (b != 0) {
        const int64_t rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

} // namespace KolvErkl
