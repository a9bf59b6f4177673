// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a lesson as bytes: everything a pupil's lesson needs to
// come back after the program was killed or the machine lost its power (the
// log, the activities, the heading and the running task with its rule).
// Plain text, one item a line, with the format's version first and a check
// sum last, so that a journal cut short or garbled is told from a good one.
// No Qt: the texts are UTF-8, the formulas the engine's own bytes.
#pragma once

#include "engine/kolv_erkl.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace KolvErkl {

inline constexpr int JournalVersion = 1;
// A journal beyond this size is no lesson's: it is never read.
inline constexpr std::size_t MaxJournalBytes = std::size_t{16} << 20;
// Milliseconds in a day: the longest an activity in progress can have run.
inline constexpr int32_t MillisecondsPerDay = 86'400'000;

// What the running task is: none (no mode), a built-in rule, an own task or
// an extra task standing in for a built-in one.
enum class JournalTask { None, BuiltIn, Own, Extra };

struct JournalActivity {
    int32_t Duration = 0;
    int32_t DataSets = 0;
    int32_t RightAnswers = 0;
    std::string Name;
    bool operator==(const JournalActivity&) const = default;
};

struct JournalLesson {
    std::string ProgramVersion;
    int32_t Variables = 3;
    // The running task: its kind, number, the exercise window's mode (1
    // observe, 2 experiment, 3 check; 0 with no task) and, for own and extra
    // tasks, its rule.
    JournalTask Kind = JournalTask::None;
    int32_t Task = 0;
    int32_t Mode = 0;
    std::string Rule;
    // The extra tasks, when they are in force (entries 1..20).
    bool ExtraTaskMode = false;
    std::array<ExtraTask, ExtraTaskCount + 1> ExtraTasks{};
    std::string Heading;
    // Records 1..n of the activity table, then the activity in progress:
    // its name, whether it has a record, its data sets not yet added to the
    // record and how long it had run when the journal was written.
    std::vector<JournalActivity> Activities;
    std::string InProgressName;
    bool InProgressRecorded = false;
    int32_t PendingDataSets = 0;
    int32_t ElapsedMs = 0;
    // How many lines of the log were printed or copied last.
    int32_t DeliveredLines = 0;
    std::vector<std::string> Log; // never empty in a journal
    bool operator==(const JournalLesson&) const = default;
};

// The journal's bytes.
std::string EncodeJournal(const JournalLesson& lesson);
// The lesson, or nothing when the bytes are no whole journal of this
// format version, or describe a lesson that the program cannot be in.
std::optional<JournalLesson> DecodeJournal(std::string_view bytes);
// The closing line that makes `body` (every line before it) a journal.
std::string SealJournal(std::string_view body);

} // namespace KolvErkl
