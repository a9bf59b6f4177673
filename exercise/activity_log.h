// The activity log: the written record of one task, its timed activities
// and the summary table. Shared line lists of the KolvErkl module.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace KolvErkl {

// The log lines, in order. A separator line is always " ", never empty.
extern QStringList ActivityLog;
// The heading above printed and copied logs; set by the heading dialog.
extern QString Heading;

// Time of day in seconds since local midnight, with milliseconds. The
// default reads the clock; tests replace it.
extern std::function<double()> TimeOfDay;

void BeginActivity(const QString& name);
void ResetActivities();
// Closes the activity in progress and appends the summary table.
void AppendSummary();
// AppendSummary, then the heading, "Kolvane", " " and the log to the clipboard.
void CopyLogToClipboard();

} // namespace KolvErkl
