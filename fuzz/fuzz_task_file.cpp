// SPDX-License-Identifier: GPL-3.0-or-later
// Task files of any bytes: the load never fails badly, a record that loads
// encodes back to the bytes it came from, and saving it and loading the
// saved file gives the same bytes again. The loaded task then runs.
#include "catalogue/task_catalogue.h"
#include "catalogue/task_files.h"
#include "engine/kolv_erkl.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

using namespace KolvErkl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string name = KolvaneFuzz::WriteScratchFile("Opgave.kvn", bytes);
    ResetProgramState();
    const FileResult loaded = LoadOwnTaskFile(name);
    if (TaskFolder.size() > 60)
        std::abort();
    if (loaded.Failed)
        return 0;

    const TaskRecordBytes encoded = EncodeTaskRecord(TransferRecord);
    if (size < TaskRecordSize || !std::equal(encoded.begin(), encoded.end(), data))
        std::abort();
    const std::string copy = (KolvaneFuzz::ScratchFolder() / "Kopi.kvn").string();
    if (SaveOwnTaskFile(copy).Failed)
        std::abort();
    const std::string saved = KolvaneFuzz::ReadScratchFile(copy);
    InitTaskCatalogue(); // task 70 fills the table
    if (saved != bytes.substr(0, TaskRecordSize) || LoadOwnTaskFile(copy).Failed ||
        EncodeTaskRecord(TransferRecord) != encoded)
        std::abort();

    NumberOfVariables = TransferRecord.VariableCount;
    CurrentFormula = TransferRecord.Formula.Text();
    for (int32_t x = 1; x <= 9; x += 4)
        MachineOutput(x, 10 - x, 5);
    return 0;
}
