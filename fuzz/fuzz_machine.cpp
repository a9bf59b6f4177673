// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's formula path on any formula and any values: own tasks and
// extra tasks, 2 and 3 variables, values from the whole 32-bit range. The
// output is always a value below 10000 in magnitude or the invalid output.
//
// Input: one byte of choices, x, y and z (4 bytes each, little-endian),
// then the formula.
#include "engine/kolv_erkl.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace KolvErkl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    KolvaneFuzz::Input input(data, size);
    const uint8_t choices = input.Byte();
    Values values = {input.Int32(), input.Int32(), input.Int32()};
    if (choices & 4) { // the values an experiment has
        for (int32_t& v : values)
            v = 1 + static_cast<int32_t>(static_cast<uint32_t>(v) % 9);
    }
    const std::string formula(input.Rest());

    ResetEngineState();
    NumberOfVariables = (choices & 1) ? 2 : 3;
    if (choices & 2) {
        ExtraTaskMode = true;
        CurrentTask = 1 + (choices >> 3) % ExtraTaskCount;
        ExtraTasks[static_cast<std::size_t>(CurrentTask)] = {3,
                                                             formula.substr(0, MaxFormulaLength)};
    } else {
        CurrentTask = 21 + (choices >> 3) % 50;
        CurrentFormula = formula;
    }
    const int32_t output = MachineOutput(values);
    if (output != InvalidOutput && std::abs(output) >= 10000)
        std::abort();
    if (output != InvalidOutput && FormulaError)
        std::abort();
    return 0;
}
