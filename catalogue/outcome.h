// SPDX-License-Identifier: GPL-3.0-or-later
// What came of an operation that may fail, in one shape for the whole
// program: failed, with a Danish message (UTF-8) that the calling window
// shows, or done, with the value the operation gives when it gives one.
#pragma once

#include <string>
#include <utility>

namespace KolvErkl {

// The value of an operation that gives none.
struct NoValue {};

template <typename Value = NoValue> struct Outcome {
    bool Failed = false;
    std::string Message; // UTF-8; empty when done
    Value Result{};      // when done

    static Outcome Done(Value value) { return {false, {}, std::move(value)}; }
    static Outcome Failure(std::string message) { return {true, std::move(message), {}}; }
};

} // namespace KolvErkl
