// SPDX-License-Identifier: GPL-3.0-or-later
// The draw budget: a count per item and a deadline read from DrawClock.
#include "engine/draw_budget.h"

namespace KolvErkl {

std::function<SteadyTime()> DrawClock = [] { return std::chrono::steady_clock::now(); };

DrawBudget::DrawBudget(int drawsPerItem, std::chrono::steady_clock::duration time)
    : drawsPerItem_(drawsPerItem), deadline_(DrawClock() + time) {}

bool DrawBudget::Draw() {
    if (draws_ >= drawsPerItem_)
        return false;
    ++draws_;
    return DrawClock() < deadline_;
}

} // namespace KolvErkl
