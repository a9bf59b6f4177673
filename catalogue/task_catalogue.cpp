// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/task_catalogue.h"

#include "catalogue/native_files.h"
#include "engine/kolv_erkl.h"

#include <algorithm>

namespace KolvErkl {

std::array<TaskRecord, OwnTaskSlots> OwnTasks;
int32_t OwnTaskSpan = 0;
TaskRecord TransferRecord;
std::string TaskFolder;
std::string ProgramPath;
std::vector<std::string> ProgramArguments;
std::string FallbackTaskFolder;

const std::string BadTaskNumberReason =
    " Filen er ikke en gyldig opgavefil; opgavens nummer skal være 21..70";
const std::string BadVariableCountReason =
    " Filen er ikke en gyldig opgavefil; antallet af variable skal være 2 eller 3";
const std::string BadTextLengthReason =
    " Filen er ikke en gyldig opgavefil; en tekst er længere end sit felt";
const std::string BadExtraFormulaReason =
    " Filen er ikke en gyldig ekstraopgavefil; en formel er længere end 60 tegn";

namespace {

constexpr std::size_t FolderTextLimit = 60; // TaskFolder and the texts it comes from
constexpr int ScrambleOffset = 12;

// Offsets of the task record's fields.
constexpr std::size_t FreeAt = 0, Reserved1At = 1, VariableCountAt = 4, TaskNumberAt = 8,
                      FormulaAt = 12, FileNameAt = 73, Reserved2At = 102;

void PutInt32(TaskRecordBytes& bytes, std::size_t at, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t GetInt32(const TaskRecordBytes& bytes, std::size_t at) {
    uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return static_cast<int32_t>(u);
}

template <std::size_t Capacity>
void PutShortString(TaskRecordBytes& bytes, std::size_t at, const ShortString<Capacity>& s) {
    bytes[at] = s.Length;
    for (std::size_t i = 0; i < Capacity; ++i)
        bytes[at + 1 + i] = static_cast<uint8_t>(s.Chars[i]);
}

template <std::size_t Capacity>
ShortString<Capacity> GetShortString(const TaskRecordBytes& bytes, std::size_t at) {
    ShortString<Capacity> s;
    s.Length = bytes[at];
    for (std::size_t i = 0; i < Capacity; ++i)
        s.Chars[i] = static_cast<char>(bytes[at + 1 + i]);
    return s;
}

// The first `limit` bytes of a UTF-8 text, never ending inside a character.
std::string CutText(const std::string& text, std::size_t limit) {
    if (text.size() <= limit)
        return text;
    std::size_t n = limit;
    while (n > 0 && (static_cast<uint8_t>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

// Up to and including the last separator before `end`, or empty.
std::string FolderPart(const std::string& name, std::size_t end) {
    for (std::size_t i = std::min(end, name.size()); i > 0; --i) {
        if (NativeFiles::IsSeparator(name[i - 1]))
            return name.substr(0, i);
    }
    return {};
}

// A folder ending in a separator; when that is too long, the deepest of its
// parent folders that fits.
std::string FittedFolder(std::string folder) {
    if (!folder.empty() && !NativeFiles::IsSeparator(folder.back()))
        folder += NativeFiles::Separator;
    return folder.size() > FolderTextLimit ? FolderPart(folder, FolderTextLimit) : folder;
}

} // namespace

TaskRecordBytes EncodeTaskRecord(const TaskRecord& record) {
    TaskRecordBytes bytes{};
    bytes[FreeAt] = record.Free;
    for (std::size_t i = 0; i < record.Reserved1.size(); ++i)
        bytes[Reserved1At + i] = record.Reserved1[i];
    PutInt32(bytes, VariableCountAt, record.VariableCount);
    PutInt32(bytes, TaskNumberAt, record.TaskNumber);
    PutShortString(bytes, FormulaAt, record.Formula);
    PutShortString(bytes, FileNameAt, record.FileName);
    for (std::size_t i = 0; i < record.Reserved2.size(); ++i)
        bytes[Reserved2At + i] = record.Reserved2[i];
    return bytes;
}

Outcome<TaskRecord> DecodeTaskRecord(const TaskRecordBytes& bytes) {
    TaskRecord r;
    r.Free = bytes[FreeAt];
    for (std::size_t i = 0; i < r.Reserved1.size(); ++i)
        r.Reserved1[i] = bytes[Reserved1At + i];
    r.VariableCount = GetInt32(bytes, VariableCountAt);
    r.TaskNumber = GetInt32(bytes, TaskNumberAt);
    r.Formula = GetShortString<60>(bytes, FormulaAt);
    r.FileName = GetShortString<28>(bytes, FileNameAt);
    for (std::size_t i = 0; i < r.Reserved2.size(); ++i)
        r.Reserved2[i] = bytes[Reserved2At + i];

    if (r.TaskNumber < FirstOwnTask || r.TaskNumber > LastOwnTask)
        return Outcome<TaskRecord>::Failure(BadTaskNumberReason);
    if (r.VariableCount != 2 && r.VariableCount != 3)
        return Outcome<TaskRecord>::Failure(BadVariableCountReason);
    if (r.Formula.Length > r.Formula.Chars.size() || r.FileName.Length > r.FileName.Chars.size())
        return Outcome<TaskRecord>::Failure(BadTextLengthReason);
    return Outcome<TaskRecord>::Done(r);
}

std::array<uint8_t, ExtraRecordSize> EncodeExtraRecord(std::string_view formula) {
    std::array<uint8_t, ExtraRecordSize> bytes{};
    const std::size_t length = std::min<std::size_t>(formula.size(), MaxFormulaLength);
    bytes[0] = static_cast<uint8_t>(length);
    for (std::size_t j = 1; j <= length; ++j)
        bytes[j] = static_cast<uint8_t>(static_cast<uint8_t>(formula[j - 1]) + j + ScrambleOffset);
    return bytes;
}

Outcome<std::string> DecodeExtraRecord(const std::array<uint8_t, ExtraRecordSize>& bytes) {
    const std::size_t length = bytes[0];
    if (length > static_cast<std::size_t>(MaxFormulaLength))
        return Outcome<std::string>::Failure(BadExtraFormulaReason);
    std::string formula(length, '\0');
    for (std::size_t j = 1; j <= length; ++j)
        formula[j - 1] = static_cast<char>(static_cast<uint8_t>(bytes[j] - j - ScrambleOffset));
    return Outcome<std::string>::Done(std::move(formula));
}

std::string DefaultFileName(int taskNumber) {
    return "Opg" + std::to_string(taskNumber) + ".kvn";
}

TaskRecord& OwnTaskSlot(int taskNumber) {
    return OwnTasks.at(static_cast<std::size_t>(taskNumber - FirstOwnTask));
}

void AdoptOwnTaskVariables(int taskNumber) {
    if (!IsOwnTask(taskNumber))
        return;
    const TaskRecord& slot = OwnTaskSlot(taskNumber);
    if (!slot.IsFree())
        NumberOfVariables = slot.VariableCount;
}

void RaiseOwnTaskSpan(int taskNumber) {
    OwnTaskSpan = std::max(OwnTaskSpan, taskNumber - (FirstOwnTask - 1));
}

void UpdateTaskFolder(const std::string& fullName) {
    // The folder is what comes before the ".kvn" of the name. A name cut
    // before its ".kvn" keeps the deepest folder the cut text still names.
    const std::string cut = CutText(fullName, FolderTextLimit);
    const std::size_t kvn = cut.find(".kvn");
    TaskFolder = FolderPart(cut, kvn == std::string::npos ? cut.size() : kvn);
}

namespace {

// The command line empty, no fallback folder, every slot free, no transfer
// record.
void ResetCatalogueState() {
    ProgramPath.clear();
    ProgramArguments.clear();
    FallbackTaskFolder.clear();
    InitTaskCatalogue();
    TransferRecord = TaskRecord{};
}

[[maybe_unused]] const bool resetRegistered = RegisterStateReset(ResetCatalogueState);

} // namespace

void InitTaskCatalogue() {
    OwnTaskSpan = 0;
    for (int n = FirstOwnTask; n <= LastOwnTask; ++n) {
        TaskRecord& slot = OwnTaskSlot(n);
        slot = TaskRecord{};
        slot.Free = 1;
        slot.FileName.Assign(DefaultFileName(n));
    }
    if (!ProgramArguments.empty()) {
        // The argument names a file; loading it replaces this by its folder.
        TaskFolder = CutText(ProgramArguments.front(), FolderTextLimit);
    } else {
        // The folder of the program's own file, as long as saves can go
        // there; an installed program's folder is nobody's to write in.
        TaskFolder = FittedFolder(FolderPart(ProgramPath, ProgramPath.size()));
        if (!NativeFiles::CanWriteIn(TaskFolder) && !FallbackTaskFolder.empty()) {
            const std::string fallback = FittedFolder(FallbackTaskFolder);
            if (NativeFiles::CanWriteIn(fallback))
                TaskFolder = fallback;
        }
    }
}

} // namespace KolvErkl
