// SPDX-License-Identifier: GPL-3.0-or-later
// Extra-task files of any bytes: the load never fails badly; when it
// succeeds every record encodes back to its bytes (the unused tail of a
// record aside), and a file saved from the loaded formulas loads to the
// same formulas and saves to the same bytes. The loaded tasks then run.
#include "catalogue/task_catalogue.h"
#include "catalogue/task_files.h"
#include "engine/kolv_erkl.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace KolvErkl;

namespace {

std::vector<std::string> LoadedFormulas() {
    std::vector<std::string> formulas;
    for (int k = 1; k <= ExtraTaskCount; ++k)
        formulas.push_back(ExtraTasks[static_cast<std::size_t>(k)].Formula);
    return formulas;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string name = KolvaneFuzz::WriteScratchFile("Ekstraopgaver.kvn", bytes);
    ResetProgramState();
    const FileResult loaded = LoadExtraTasksFile(name);
    if (TaskFolder.size() > 60 || loaded.Failed == ExtraTaskMode)
        std::abort();
    if (loaded.Failed)
        return 0;

    const std::vector<std::string> formulas = LoadedFormulas();
    for (std::size_t k = 0; k < formulas.size(); ++k) {
        const auto record = EncodeExtraRecord(formulas[k]);
        const uint8_t* original = data + k * ExtraRecordSize;
        if (!std::equal(record.begin(), record.begin() + 1 + formulas[k].size(), original))
            std::abort();
    }
    const std::string first = (KolvaneFuzz::ScratchFolder() / "Ekstra1.kvn").string();
    const std::string second = (KolvaneFuzz::ScratchFolder() / "Ekstra2.kvn").string();
    if (SaveExtraTasksFile(first, formulas).Failed || LoadExtraTasksFile(first).Failed ||
        LoadedFormulas() != formulas || SaveExtraTasksFile(second, formulas).Failed ||
        KolvaneFuzz::ReadScratchFile(first) != KolvaneFuzz::ReadScratchFile(second))
        std::abort();

    for (int k = 1; k <= ExtraTaskCount; ++k) {
        CurrentTask = k;
        MachineOutput(1 + k % 9, 9 - k % 9, 5);
    }
    return 0;
}
