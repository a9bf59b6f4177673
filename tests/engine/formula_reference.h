// SPDX-License-Identifier: GPL-3.0-or-later
// What the public steps give for a formula: PrepareFormula, EvaluateFormula
// and the machine's rounding and range rule. The machine's own one-pass
// reading must agree with it in output, FormulaError and position; the
// formula-path test and the fuzz target both compare against it. The engine
// state (variables, CurrentValues) is the caller's to set.
#pragma once

#include "engine/formula.h"
#include "engine/kolv_erkl.h"

#include <string_view>

namespace KolvTest {

struct FormulaReference {
    int32_t Output = KolvErkl::InvalidOutput;
    bool Error = false;
    int32_t Position = 0;
};

inline FormulaReference ReferenceOutput(std::string_view formula, int32_t x, int32_t y, int32_t z) {
    using namespace KolvErkl;
    FormulaReference reference;
    FormulaText text(formula);
    PrepareFormula(text, x, y, z);
    if (!FormulaError) {
        const FormulaValue v = EvaluateFormula(text.View());
        reference.Position = v.ErrorPosition;
        if (v.ErrorPosition == 0 && !FormulaError && IsValidOutput(v.Value))
            reference.Output = static_cast<int32_t>(RoundHalfEven(v.Value));
    }
    reference.Error = FormulaError;
    return reference;
}

} // namespace KolvTest
