// SPDX-License-Identifier: GPL-3.0-or-later
// The machine is called many times over while a new task is tried: its
// formula path must not touch the heap.
#include "engine_test_support.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> Allocations{0};
}

void* operator new(std::size_t size) {
    ++Allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace KolvErkl;

TEST_F(EngineTest, TheFormulaPathDoesNotAllocate) {
    const std::string formulas[] = {
        "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+d(y)+b(0)+e(0)+j(3)+1",
        "x/(y-y)",
        "2x",
        "x))",
        std::string(70, 'x'), // refused, and longer than a formula may be
    };
    CurrentTask = 21;
    for (const std::string& formula : formulas) {
        CurrentFormula = formula;
        const long before = Allocations;
        for (int32_t x = 1; x <= 9; ++x)
            (void)MachineOutput(x, 10 - x, 5);
        EXPECT_EQ(Allocations - before, 0) << formula;
    }
    // The count does see allocations.
    const long before = Allocations;
    CurrentFormula = std::string(100, 'x');
    EXPECT_GT(Allocations - before, 0);
}

} // namespace
