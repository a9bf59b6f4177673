// SPDX-License-Identifier: GPL-3.0-or-later
// The twelve named functions of the formula language: their names, in the
// order in which a reading matches them, and what each gives.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace KolvErkl {

// Matched in this order; the index chooses the function.
inline constexpr std::array<std::string_view, 12> FunctionNames = {"abs", "s", "f", "b", "c", "d",
                                                                   "e",   "g", "h", "i", "j", "k"};

// The value of the function with that index for its (whole) argument, or no
// value when there is none: an argument or a result beyond the engine's
// 32-bit integers, or a division by zero inside the function (c with
// x = y = 0, j(0), k with a third value of 0). b, c, e, i, j and k read
// CurrentValues under the number of variables in force.
std::optional<double> ApplyFunction(std::size_t function, double argument);

} // namespace KolvErkl
