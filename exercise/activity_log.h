// SPDX-License-Identifier: GPL-3.0-or-later
// The activity log: the written record of one task, its timed activities
// and the summary table. Shared line lists of the KolvErkl module.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

namespace KolvErkl {

// The log lines, in order. A separator line is always " ", never empty.
extern QStringList ActivityLog;
// The heading above printed and copied logs; set by the heading dialog.
extern QString Heading;

// Time of day in seconds since local midnight, with milliseconds: the
// clock's, or ClockHook's answer while it is set (tests set it).
double TimeOfDay();
extern std::function<double()> ClockHook;

// ---- The activity table ------------------------------------------------
inline constexpr int MaxActivities = 50;

struct ActivityRecord {
    int32_t Duration = 0; // whole seconds, known once the next activity began
    int32_t DataSets = 0;
    int32_t RightAnswers = 0; // right check answers while this was in progress
    QString Name;             // "Observér", "Eksperimentér", "Kontrollér", "Udskriv"
    bool operator==(const ActivityRecord&) const = default;
};

// Records 1..MaxActivities; entry 0 is unused.
extern std::array<ActivityRecord, MaxActivities + 1> ActivityTable;
// Records in use; record ActivityCount is the activity in progress, unless
// the table was full when it began (see ActivityInProgressRecorded).
extern int32_t ActivityCount;
// Data sets of the activity in progress not yet added to its record.
extern int32_t DataSetCount;
// Time of day at which the activity in progress began.
extern double ActivityStart;

// Names of the activities, written once.
extern const QString ObserveActivity;    // "Observér"
extern const QString ExperimentActivity; // "Eksperimentér"
extern const QString CheckActivity;      // "Kontrollér"
extern const QString PrintActivity;      // "Udskriv"

// False when more than MaxActivities activities were begun within the task:
// the activity in progress then has no record. Its lines and Tid line are
// still written, the records 1..50 are left as they are.
bool ActivityInProgressRecorded();
// Adds one right check answer to the activity in progress.
void CountRightAnswer();

// Runs when a summary begins, after the print activity was begun; the
// exercise window installs it to disable its keypad in the experiment.
extern std::function<void()> SummaryHook;

void BeginActivity(const QString& name);
void ResetActivities();

// The activity table and the length of the log at one moment. An activity
// that produced nothing (a task that cannot give values) is taken back to
// such a mark: its heading, its record and the Tid line that its beginning
// wrote for the activity before it all go, and that activity runs on.
struct ActivityMark {
    std::array<ActivityRecord, MaxActivities + 1> Table;
    int32_t Count = 0;
    int32_t DataSets = 0;
    double Start = 0;
    QString InProgressName;
    bool InProgressRecorded = false;
    qsizetype LogLines = 0;
    bool operator==(const ActivityMark&) const = default;
};
ActivityMark MarkActivities();
void TakeBackActivities(const ActivityMark& mark);
// Closes the activity in progress and appends the summary table.
void AppendSummary();
// AppendSummary, then the heading, "Kolvane", " " and the log to the clipboard.
void CopyLogToClipboard();
// The log as it stood when it was last printed or copied; the copy sets it,
// and so does the main window once a print has gone to the printer.
extern QStringList DeliveredLog;
// The log holds lines that were never printed or copied: closing the
// program would lose them.
bool LogHasUndeliveredLines();
// The lines CopyLogToClipboard puts on the clipboard (without AppendSummary).
QStringList ClipboardLines();

// ---- Line formats ------------------------------------------------------
// The number right-aligned in a field of `width` characters; longer numbers
// are written whole.
QString NumberInWidth(qint64 number, int width);
// A machine output in width 5, or " ****" for anything of 10000 or more in
// magnitude (the invalid output among them).
QString OutputText(int32_t output);
// "           Opgave nummer: " + task number text + "     (n variable)"
QString TaskLine(const QString& taskNumberText, int variables);
// An observation or answer row's start: 10 blanks, then each value text
// (width 2) followed by 4 blanks, then " --->".
QString ValueRowStart(const QStringList& valueTexts);
// An experiment row: 11 blanks, each digit followed by 5 blanks, "--->" and
// the output text; the same columns as an observation row.
QString ExperimentRowLine(const QStringList& digits, const QString& outputText);

} // namespace KolvErkl
