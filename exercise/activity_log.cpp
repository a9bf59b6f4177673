// SPDX-License-Identifier: GPL-3.0-or-later
// The activity log and the activity table. No window is needed here: the
// exercise window reaches in through SummaryHook only.
#include "exercise/activity_log.h"

#include "engine/kolv_erkl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTime>
#include <cmath>

namespace KolvErkl {

namespace {

constexpr double SecondsPerDay = 86400.0;
const QString Separator = QStringLiteral(" ");
const QString ProgramName = QStringLiteral("Kolvane");

// The name of the activity in progress and whether it has a record; kept
// apart from the table so that activities past the 50th still time right.
QString inProgressName;
bool inProgressRecorded = false;

double clockTimeOfDay() {
    const QTime now = QTime::currentTime();
    return (now.hour() * 60.0 + now.minute()) * 60.0 + now.second() + now.msec() * 0.001;
}

// Whole seconds from start to now, halves to the even neighbour. An activity
// that runs over midnight is counted across it.
int32_t durationBetween(double start, double now) {
    double seconds = now - start;
    if (seconds < 0)
        seconds += SecondsPerDay;
    return static_cast<int32_t>(std::nearbyint(seconds));
}

QString tidLine(int32_t seconds) {
    return QStringLiteral("           Tid: ") + QString::number(seconds) +
           (seconds == 1 ? QStringLiteral(" sekund") : QStringLiteral(" sekunder"));
}

QString summaryRow(const ActivityRecord& record) {
    QString line = NumberInWidth(record.Duration, 7) + QStringLiteral("      ") + record.Name +
                   NumberInWidth(record.DataSets, 21 - int(record.Name.size()));
    if (record.Name == CheckActivity)
        line += QStringLiteral("   Antal rigtige:") + NumberInWidth(record.RightAnswers, 3);
    return line;
}

} // namespace

QStringList ActivityLog;
QStringList DeliveredLog;
QString Heading;
std::function<double()> ClockHook;

double TimeOfDay() {
    return ClockHook ? ClockHook() : clockTimeOfDay();
}

std::array<ActivityRecord, MaxActivities + 1> ActivityTable;
int32_t ActivityCount = 0;
int32_t DataSetCount = 0;
double ActivityStart = 0;

const QString ObserveActivity = QStringLiteral("Observér");
const QString ExperimentActivity = QStringLiteral("Eksperimentér");
const QString CheckActivity = QStringLiteral("Kontrollér");
const QString PrintActivity = QStringLiteral("Udskriv");

std::function<void()> SummaryHook;

namespace {

void ResetExerciseState() {
    ActivityLog.clear();
    DeliveredLog.clear();
    Heading.clear();
    ResetActivities();
    ClockHook = nullptr;
    SummaryHook = nullptr;
}

[[maybe_unused]] const bool resetRegistered = RegisterStateReset(ResetExerciseState);

} // namespace

bool ActivityInProgressRecorded() {
    return inProgressRecorded;
}

void CountRightAnswer() {
    if (inProgressRecorded)
        ActivityTable[ActivityCount].RightAnswers += 1;
}

void BeginActivity(const QString& name) {
    const double t = TimeOfDay();
    const QString recordName = name.left(60);

    // The first activity of a task only opens its record.
    if (ActivityCount == 0) {
        ActivityCount = 1;
        ActivityTable[1].Name = recordName;
        inProgressName = recordName;
        inProgressRecorded = true;
        ActivityStart = t;
        return;
    }

    // The same activity begun again: its time runs on.
    if (inProgressName == recordName) {
        if (inProgressRecorded)
            ActivityTable[ActivityCount].DataSets += DataSetCount;
        ActivityLog.append(Separator);
        return;
    }

    // A different activity: close the one in progress.
    const int32_t duration = durationBetween(ActivityStart, t);
    if (inProgressRecorded) {
        ActivityRecord& previous = ActivityTable[ActivityCount];
        previous.Duration = duration;
        previous.DataSets += DataSetCount;
    }
    if (inProgressName != PrintActivity)
        ActivityLog.append(tidLine(duration));

    ActivityStart = t;
    inProgressName = recordName;
    inProgressRecorded = ActivityCount < MaxActivities;
    if (inProgressRecorded) {
        ActivityCount += 1;
        ActivityTable[ActivityCount].Name = recordName;
    }
    ActivityLog.append(Separator);
}

void ResetActivities() {
    DataSetCount = 0;
    ActivityTable.fill(ActivityRecord{});
    ActivityCount = 0;
    ActivityStart = 0;
    inProgressName.clear();
    inProgressRecorded = false;
}

ActivityMark MarkActivities() {
    return ActivityMark{ActivityTable,  ActivityCount,      DataSetCount,      ActivityStart,
                        inProgressName, inProgressRecorded, ActivityLog.size()};
}

void TakeBackActivities(const ActivityMark& mark) {
    ActivityTable = mark.Table;
    ActivityCount = mark.Count;
    DataSetCount = mark.DataSets;
    ActivityStart = mark.Start;
    inProgressName = mark.InProgressName;
    inProgressRecorded = mark.InProgressRecorded;
    if (ActivityLog.size() > mark.LogLines)
        ActivityLog.resize(mark.LogLines);
}

void AppendSummary() {
    BeginActivity(PrintActivity);
    if (SummaryHook)
        SummaryHook();

    ActivityLog << Separator << Separator << Separator
                << QStringLiteral("    Tid      Aktivitet       Antal datasæt ")
                << QStringLiteral("   ----      ---------       ------------- ") << Separator;

    // Every record but the activity in progress (the print just begun).
    const int32_t closed = inProgressRecorded ? ActivityCount - 1 : ActivityCount;
    qint64 total = 0;
    for (int k = 1; k <= closed; ++k) {
        const ActivityRecord& record = ActivityTable[k];
        if (record.Name == PrintActivity)
            continue;
        ActivityLog.append(summaryRow(record));
        total += record.Duration;
    }
    ActivityLog << QStringLiteral("   ----") << NumberInWidth(total, 7) << Separator << Separator;
}

QStringList ClipboardLines() {
    QStringList lines;
    if (Heading > Separator)
        lines << Heading << Separator;
    lines << ProgramName << Separator;
    lines += ActivityLog;
    return lines;
}

void CopyLogToClipboard() {
    AppendSummary();
    QGuiApplication::clipboard()->setText(ClipboardLines().join(QLatin1Char('\n')));
    DeliveredLog = ActivityLog;
}

bool LogHasUndeliveredLines() {
    // A task's start empties the log and writes it anew, so its lines differ
    // from what was delivered even where there are as many.
    return !ActivityLog.isEmpty() && ActivityLog != DeliveredLog;
}

QString NumberInWidth(qint64 number, int width) {
    return QString::number(number).rightJustified(width, QLatin1Char(' '));
}

QString OutputText(int32_t output) {
    if (!IsValidOutput(output))
        return QStringLiteral(" ****");
    return NumberInWidth(output, 5);
}

QString TaskLine(const QString& taskNumberText, int variables) {
    return QStringLiteral("           Opgave nummer: ") + taskNumberText +
           QStringLiteral("     (") + QString::number(variables) + QStringLiteral(" variable)");
}

QString ValueRowStart(const QStringList& valueTexts) {
    QString line(10, QLatin1Char(' '));
    for (const QString& value : valueTexts)
        line += value + QStringLiteral("    ");
    return line + QStringLiteral(" --->");
}

QString ExperimentRowLine(const QStringList& digits, const QString& outputText) {
    QString line(11, QLatin1Char(' '));
    for (const QString& digit : digits)
        line += digit + QStringLiteral("     ");
    return line + QStringLiteral("--->") + outputText;
}

} // namespace KolvErkl
