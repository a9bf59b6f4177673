// SPDX-License-Identifier: GPL-3.0-or-later
// The draw budget: a count per item and a deadline read from DrawClock.
#include "engine/draw_budget.h"

#include "engine/kolv_erkl.h"

namespace KolvErkl {

std::function<SteadyTime()> DrawClock;

namespace {

[[maybe_unused]] const bool resetRegistered = RegisterStateReset([] { DrawClock = nullptr; });

} // namespace

SteadyTime DrawTime() {
    return DrawClock ? DrawClock() : std::chrono::steady_clock::now();
}

DrawBudget::DrawBudget(int drawsPerItem, std::chrono::steady_clock::duration time)
    : drawsPerItem_(drawsPerItem), deadline_(DrawTime() + time) {}

bool DrawBudget::Draw() {
    if (draws_ >= drawsPerItem_)
        return false;
    ++draws_;
    return DrawTime() < deadline_;
}

} // namespace KolvErkl
