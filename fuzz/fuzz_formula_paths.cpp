// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's own reading of a formula (one-pass preparation, its own
// end mark) against the public steps PrepareFormula and EvaluateFormula:
// the same output, FormulaError and position for every formula and values.
//
// Input: one byte of choices, x, y and z (4 bytes each, little-endian),
// then the formula.
#include "engine/formula.h"
#include "fuzz_support.h"
#include "tests/engine/formula_reference.h"

#include <cstdlib>

using namespace KolvErkl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    KolvaneFuzz::Input input(data, size);
    const uint8_t choices = input.Byte();
    Values values = {input.Int32(), input.Int32(), input.Int32()};
    if (!(choices & 4)) { // mostly the values an experiment has
        for (int32_t& v : values)
            v = 1 + static_cast<int32_t>(static_cast<uint32_t>(v) % 9);
    }
    const std::string formula(input.Rest());
    const int32_t variables = (choices & 1) ? 2 : 3;

    ResetEngineState();
    NumberOfVariables = variables;
    CurrentTask = 21;
    CurrentFormula = formula;
    const int32_t output = MachineOutput(values);
    const bool error = FormulaError;
    const int32_t position = LastErrorPosition;

    ResetEngineState();
    NumberOfVariables = variables;
    CurrentTask = 21;
    CurrentValues = values; // what b, c, e, i, j and k read
    const KolvTest::FormulaReference expected =
        KolvTest::ReferenceOutput(formula, values[0], values[1], values[2]);
    if (output != expected.Output || error != expected.Error || position != expected.Position)
        std::abort();
    return 0;
}
