// SPDX-License-Identifier: GPL-3.0-or-later
// How long a window may go on drawing values for a task whose formula gives
// a value rarely or never: a count of draws for each row or question, and
// one deadline for the whole click, so that a formula however costly ends in
// the "no values" message within about a second.
#pragma once

#include <chrono>
#include <functional>

namespace KolvErkl {

using SteadyTime = std::chrono::steady_clock::time_point;

// The clock that draw budgets read: std::chrono::steady_clock while the hook
// is empty, the hook's answer while a test has set it.
extern std::function<SteadyTime()> DrawClock;
SteadyTime DrawTime();

class DrawBudget {
public:
    // Time for all the draws of one click, with a margin below a second for
    // the message that follows.
    static constexpr std::chrono::milliseconds DefaultTime{800};

    explicit DrawBudget(int drawsPerItem, std::chrono::steady_clock::duration time = DefaultTime);

    // Counts one draw for the current item. False when the item has had all
    // its draws or the time is spent: the caller gives up.
    bool Draw();

    // The next row or question gets a full count; the time runs on.
    void NextItem() { draws_ = 0; }

private:
    int drawsPerItem_;
    int draws_ = 0;
    SteadyTime deadline_;
};

} // namespace KolvErkl
