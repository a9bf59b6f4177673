// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson journal's bytes: a lesson comes back field for field, and no
// journal cut short, changed or describing an impossible lesson is read.
#include "exercise/journal_format.h"

#include <gtest/gtest.h>

#include <string>

using namespace KolvErkl;

namespace {

JournalLesson sampleLesson() {
    JournalLesson l;
    l.ProgramVersion = "290306";
    l.Kind = JournalTask::Extra;
    l.Task = 5;
    l.Mode = 3;
    l.ExtraTaskMode = true;
    for (int k = 1; k <= ExtraTaskCount; ++k)
        l.ExtraTasks[static_cast<std::size_t>(k)] = {3, "x*" + std::to_string(k) + "+z"};
    // Bytes that must be escaped, and bytes of a task file's windows-1252.
    l.ExtraTasks[5].Formula = "x\\y\n\x01\x7f\xe6";
    l.Rule = l.ExtraTasks[5].Formula;
    l.Heading = "Ida \\n Ærø\t";
    l.Activities = {{12, 6, 0, "Observér"}, {-3, 1, 0, "Eksperimentér"}, {0, 4, 2, "Kontrollér"}};
    l.InProgressName = "Kontrollér";
    l.InProgressRecorded = true;
    l.PendingDataSets = 4;
    l.ElapsedMs = MillisecondsPerDay;
    l.DeliveredLines = 2;
    l.Log = {"           Opgave nummer:  5     (3 variable)", " ", "", "    OK", "\\x41"};
    return l;
}

// The journal's text with `from` replaced by `to`, sealed anew so that only
// the change itself can make it fail.
std::string edited(const std::string& from, const std::string& to) {
    const std::string bytes = EncodeJournal(sampleLesson());
    std::string body = bytes.substr(0, bytes.rfind("end "));
    const std::size_t at = body.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        body.replace(at, from.size(), to);
    return body + SealJournal(body);
}

TEST(JournalFormat, ALessonComesBackFieldForFieldAndByteForByte) {
    const JournalLesson lesson = sampleLesson();
    const std::string bytes = EncodeJournal(lesson);
    const std::optional<JournalLesson> back = DecodeJournal(bytes);
    ASSERT_TRUE(back.has_value()) << bytes;
    EXPECT_EQ(*back, lesson);
    EXPECT_EQ(EncodeJournal(*back), bytes);
    EXPECT_EQ(edited("heading", "heading"), bytes); // the edits below change only what they say
}

TEST(JournalFormat, NoCutAndNoChangedByteIsRead) {
    const std::string bytes = EncodeJournal(sampleLesson());
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(DecodeJournal(bytes.substr(0, n))) << "cut at " << n;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::string changed = bytes;
        changed[i] = static_cast<char>(changed[i] ^ 0x20);
        EXPECT_FALSE(DecodeJournal(changed)) << "byte " << i;
    }
    EXPECT_FALSE(DecodeJournal(bytes + "\n"));
}

TEST(JournalFormat, ALessonTheProgramCannotBeInIsNotRead) {
    const std::pair<const char*, std::string> cases[] = {
        {"another format version", edited("Kolvane-journal 1", "Kolvane-journal 2")},
        {"2 variables for an extra task", edited("variables 3", "variables 2")},
        {"a built-in task where extra tasks stand in", edited("task 3 5 3", "task 1 5 3")},
        {"an extra task without its rule", edited("rule x", "rule y")},
        {"an own task numbered past 70", edited("task 3 5 3", "task 2 71 3")},
        {"a task without a mode", edited("task 3 5 3", "task 3 5 0")},
        {"no extra tasks for an extra task", edited("extratasks 1", "extratasks 0")},
        {"51 activities", edited("activities 3", "activities 51")},
        {"an activity in progress without its record", edited("inprogress 1 4", "inprogress 0 4")},
        {"more than a day in progress", edited(" 86400000 ", " 86400001 ")},
        {"more lines delivered than written", edited("delivered 2", "delivered 6")},
        {"no log", edited("log 5", "log 0")},
        {"a number with a leading zero", edited("activity 12", "activity 012")},
        {"minus zero", edited("activity 0 4", "activity -0 4")},
        {"a number past 32 bits", edited("activity 12", "activity 2147483648")},
        {"a blank too many", edited("variables 3", "variables  3")},
        {"a control byte not escaped", edited("Ida \\\\n", "Ida \t")},
        {"an escape that needs none", edited("Ida", "\\x49da")},
        {"an unknown escape", edited("Ida", "\\Ida")},
        {"an unknown line", edited("heading", "headline")},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_FALSE(DecodeJournal(bytes)) << what;
}

} // namespace
