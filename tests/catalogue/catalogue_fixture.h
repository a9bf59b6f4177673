// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh catalogue and engine for every test, a temporary folder for its
// files, and file dialogs that answer from a script.
#pragma once

#include "catalogue/native_files.h"
#include "catalogue/task_catalogue.h"
#include "catalogue/task_files.h"
#include "engine/kolv_erkl.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace KolvTest {

// Answers every dialog with `answer` (nothing: cancelled) and keeps what it
// was asked.
class ScriptedDialogs : public KolvErkl::FileDialogs {
public:
    struct Call {
        std::string title, folder, preset, suffix;
    };
    std::optional<std::string> answer;
    std::vector<Call> calls;

    std::optional<std::string> ChooseFileToOpen(const std::string& title,
                                                const std::string& presetName) override {
        calls.push_back({title, {}, presetName, {}});
        return answer;
    }
    std::optional<std::string> ChooseFileToSave(const std::string& title, const std::string& folder,
                                                const std::string& presetName,
                                                const std::string& defaultSuffix) override {
        calls.push_back({title, folder, presetName, defaultSuffix});
        return answer;
    }
};

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A task record as the define dialog would build it.
inline KolvErkl::TaskRecord MakeTask(int n, int variables, const std::string& formula) {
    KolvErkl::TaskRecord r;
    r.Free = 0;
    r.VariableCount = variables;
    r.TaskNumber = n;
    r.Formula.Assign(formula);
    r.FileName.Assign(KolvErkl::DefaultFileName(n));
    return r;
}

inline std::vector<uint8_t> TaskBytes(const KolvErkl::TaskRecord& r) {
    const auto b = KolvErkl::EncodeTaskRecord(r);
    return {b.begin(), b.end()};
}

// `count` extra-task records with the formulas f1, f2, ...
inline std::vector<uint8_t> ExtraBytes(int count, const std::string& prefix = "x+") {
    std::vector<uint8_t> bytes;
    for (int k = 1; k <= count; ++k) {
        const auto r = KolvErkl::EncodeExtraRecord(prefix + std::to_string(k));
        bytes.insert(bytes.end(), r.begin(), r.end());
    }
    return bytes;
}

class CatalogueTest : public ::testing::Test {
protected:
    std::filesystem::path dir;

    void SetUp() override {
        dir = NewScratchFolder("kolvane-catalogue");
        KolvErkl::ResetProgramState();
        KolvErkl::SeedRandom(20260308);
        // An installed program: the task folder is the program's own.
        KolvErkl::ProgramPath = "/opt/kolvane/bin/kolvane";
        KolvErkl::InitTaskCatalogue();
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
        KolvErkl::ResetProgramState();
    }

    // Names as the file dialogs give them, in the system's own form.
    std::string File(const std::string& name) const { return Folder() + name; }
    std::string Folder() const {
        return KolvErkl::NativeFiles::NameOf(dir) + KolvErkl::NativeFiles::Separator;
    }
};

} // namespace KolvTest
