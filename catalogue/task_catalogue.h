// SPDX-License-Identifier: GPL-3.0-or-later
// Own tasks and extra tasks in memory: the 104-byte task record, the table of
// 50 own-task slots, OwnTaskSpan, TransferRecord and TaskFolder. Plain shared
// state of the KolvErkl module; no Qt.
#pragma once

#include "catalogue/outcome.h"
#include "engine/kolv_erkl.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace KolvErkl {

inline constexpr int FirstOwnTask = BuiltInTasks + 1;
inline constexpr int LastOwnTask = 70;
inline constexpr int OwnTaskSlots = LastOwnTask - FirstOwnTask + 1; // 50
inline constexpr std::size_t TaskRecordSize = 104;
inline constexpr std::size_t ExtraRecordSize = 61;

// A short string with a fixed capacity: one length byte and Capacity
// character bytes (windows-1252). Bytes past the length are leftovers of an
// earlier text; they are kept and written back as they stand.
template <std::size_t Capacity> struct ShortString {
    uint8_t Length = 0;
    std::array<char, Capacity> Chars{};

    std::string Text() const;        // the first min(Length, Capacity) bytes
    void Assign(std::string_view s); // cut to Capacity; leaves later bytes alone
};

template <std::size_t Capacity> std::string ShortString<Capacity>::Text() const {
    return std::string(Chars.data(), Length < Capacity ? Length : Capacity);
}

template <std::size_t Capacity> void ShortString<Capacity>::Assign(std::string_view s) {
    const std::size_t n = s.size() < Capacity ? s.size() : Capacity;
    s.copy(Chars.data(), n);
    Length = static_cast<uint8_t>(n);
}

// The task record. The same layout is used in memory and in task files:
// offset 0 Free, 1..3 reserved, 4 VariableCount, 8 TaskNumber (little-endian),
// 12 Formula (1 + 60), 73 FileName (1 + 28), 102..103 reserved.
struct TaskRecord {
    uint8_t Free = 0; // 0: in use; anything else: free (the program writes 1)
    std::array<uint8_t, 3> Reserved1{};
    int32_t VariableCount = 0;
    int32_t TaskNumber = 0;
    ShortString<60> Formula;
    ShortString<28> FileName;
    std::array<uint8_t, 2> Reserved2{};

    bool IsFree() const { return Free != 0; }
};

using TaskRecordBytes = std::array<uint8_t, TaskRecordSize>;

TaskRecordBytes EncodeTaskRecord(const TaskRecord& record);
// Why a record read from a file was refused (Danish, one leading blank).
extern const std::string BadTaskNumberReason;
extern const std::string BadVariableCountReason;
extern const std::string BadTextLengthReason;
extern const std::string BadExtraFormulaReason;

// Decodes 104 bytes. Refuses a record that breaks the limits of a task
// record (TaskNumber outside 21..70, VariableCount not 2 or 3, a length byte
// above its field) as a whole: fails with a Danish reason for the user.
Outcome<TaskRecord> DecodeTaskRecord(const TaskRecordBytes& bytes);

// Extra-task records: a length byte and 60 scrambled characters. The
// decoded formula, or the Danish reason why a length above 60 is refused.
std::array<uint8_t, ExtraRecordSize> EncodeExtraRecord(std::string_view formula);
Outcome<std::string> DecodeExtraRecord(const std::array<uint8_t, ExtraRecordSize>& bytes);

// "Opg" + n + ".kvn"
std::string DefaultFileName(int taskNumber);

// ---- Catalogue state ----------------------------------------------------
extern std::array<TaskRecord, OwnTaskSlots> OwnTasks; // use OwnTaskSlot(n)
TaskRecord& OwnTaskSlot(int taskNumber);              // n in 21..70
extern int32_t OwnTaskSpan;                           // 0..50
extern TaskRecord TransferRecord;
extern std::string TaskFolder; // at most 60 bytes

// The command line as the program was started: its own full path and its
// arguments (without the program name). Set by main() before start-up.
extern std::string ProgramPath;
extern std::vector<std::string> ProgramArguments;
// Where a teacher's saves start when the program's own folder cannot be
// written (an installed copy in /usr/bin): the user's documents folder, or
// the home folder. Set by main() before start-up; empty: no such folder.
extern std::string FallbackTaskFolder;

inline constexpr bool IsOwnTask(int taskNumber) {
    return taskNumber >= FirstOwnTask && taskNumber <= LastOwnTask;
}
// An own task brings its number of variables: when n names an own task in
// use, NumberOfVariables becomes its VariableCount. Other numbers (built-in
// tasks, free slots) leave it as it is.
void AdoptOwnTaskVariables(int taskNumber);

// OwnTaskSpan := max(OwnTaskSpan, n - 20)
void RaiseOwnTaskSpan(int taskNumber);
// TaskFolder after a file was opened for loading.
void UpdateTaskFolder(const std::string& fullName);
// Every slot free with its default name, OwnTaskSpan 0, TaskFolder and the
// opening mode from the command line. Without an argument TaskFolder is the
// program's own folder, or FallbackTaskFolder when that cannot be written.
void InitTaskCatalogue();

} // namespace KolvErkl
