// Statistics of a set of values and the number operations behind the named
// functions of the formula language. Integer arithmetic follows the engine's
// rules: div truncates toward zero, mod has the sign of the dividend (C++'s
// / and % do exactly that). Intermediate results are 64-bit so that no
// argument in the 32-bit range can overflow.
#include "engine/kolv_erkl.h"

#include <algorithm>

namespace KolvErkl {

namespace {

// Trial division up to the square root: the same answers as stopping at the
// smallest divisor, without a cost that grows with the prime itself.
bool IsPrime64(int64_t n) {
    if (n < 2)
        return false; // 1, 0 and every negative number
    if (n < 4)
        return true;
    if (n % 2 == 0 || n % 3 == 0)
        return false;
    for (int64_t d = 5; d * d <= n; d += 6) {
        if (n % d == 0 || n % (d + 2) == 0)
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
