// SPDX-License-Identifier: GPL-3.0-or-later
// The activity log without a window: timing, Tid lines, the summary table,
// the full activity table and the clipboard text.
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace KolvErkl;

namespace {

class ActivityLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramState();
        ClockHook = [this] { return clock; };
    }
    void TearDown() override { ResetProgramState(); }

    void beginAt(double t, const QString& name) {
        clock = t;
        BeginActivity(name);
    }

    double clock = 0;
};

TEST_F(ActivityLogTest, FirstActivityWritesNothing) {
    beginAt(500, ObserveActivity);
    EXPECT_TRUE(ActivityLog.isEmpty());
    EXPECT_EQ(ActivityCount, 1);
    EXPECT_EQ(ActivityTable[1].Name, ObserveActivity);
}

TEST_F(ActivityLogTest, TidLineRoundsHalvesToEvenAndCountsAcrossMidnight) {
    struct Case {
        double start, end;
        const char* line;
        int32_t duration;
    };
    const Case cases[] = {
        {100.0, 100.0, "           Tid: 0 sekunder", 0},
        {100.0, 101.0, "           Tid: 1 sekund", 1},
        {100.0, 102.5, "           Tid: 2 sekunder", 2},
        {100.0, 103.5, "           Tid: 4 sekunder", 4},
        {100.0, 100.499, "           Tid: 0 sekunder", 0},
        {100.25, 101.5, "           Tid: 1 sekund", 1},
        {86399.0, 1.0, "           Tid: 2 sekunder", 2}, // over midnight
        {86399.8, 0.2, "           Tid: 0 sekunder", 0},
        {3600.0, 3600.0 + 754.0, "           Tid: 754 sekunder", 754},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ActivityLog.clear();
        ResetActivities();
        beginAt(c.start, ObserveActivity);
        beginAt(c.end, ExperimentActivity);
        EXPECT_EQ(ActivityLog, QStringList({QString::fromUtf8(c.line), " "}));
        EXPECT_EQ(ActivityTable[1].Duration, c.duration);
        EXPECT_EQ(ActivityCount, 2);
    }
}

TEST_F(ActivityLogTest, SameActivityAgainKeepsItsTimeRunningAndAddsDataSets) {
    beginAt(10, ObserveActivity);
    DataSetCount = 3;
    beginAt(20, ObserveActivity);
    DataSetCount = 3;
    EXPECT_EQ(ActivityLog, QStringList({" "}));
    beginAt(30.4, ExperimentActivity);
    EXPECT_EQ(ActivityTable[1].DataSets, 6);
    EXPECT_EQ(ActivityTable[1].Duration, 20);
    EXPECT_EQ(ActivityLog.at(1), "           Tid: 20 sekunder");
}

TEST_F(ActivityLogTest, PrintActivityIsTimedButNeverWrittenOrSummed) {
    beginAt(0, ObserveActivity);
    DataSetCount = 3;
    clock = 5;
    AppendSummary();
    const int afterSummary = int(ActivityLog.size());
    beginAt(9, ObserveActivity);
    // No Tid line for the print, only the separator of the new activity.
    EXPECT_EQ(ActivityLog.mid(afterSummary), QStringList({" "}));
    EXPECT_EQ(ActivityTable[2].Name, PrintActivity);
    EXPECT_EQ(ActivityTable[2].Duration, 4);

    clock = 12;
    AppendSummary();
    const QStringList rows = ActivityLog.filter("Udskriv");
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(ActivityLogTest, SummaryRowsLineUpAndTotalTheTimes) {
    beginAt(0, ObserveActivity);
    DataSetCount = 6;
    beginAt(12, ExperimentActivity);
    DataSetCount = 4;
    beginAt(100, CheckActivity);
    DataSetCount = 5;
    CountRightAnswer();
    CountRightAnswer();
    clock = 130.5;
    AppendSummary();

    const QStringList expected = {
        "           Tid: 12 sekunder",
        " ",
        "           Tid: 88 sekunder",
        " ",
        "           Tid: 30 sekunder",
        " ",
        " ",
        " ",
        " ",
        "    Tid      Aktivitet       Antal datasæt ",
        "   ----      ---------       ------------- ",
        " ",
        "     12      Observér            6",
        "     88      Eksperimentér       4",
        "     30      Kontrollér          5   Antal rigtige:  2",
        "   ----",
        "    130",
        " ",
        " ",
    };
    EXPECT_EQ(ActivityLog, expected);
    for (int row = 12; row <= 14; ++row)
        EXPECT_EQ(ActivityLog.at(row).mid(33, 1),
                  QString::number(ActivityTable[row - 11].DataSets));
}

TEST_F(ActivityLogTest, EarlierSummariesStayAndLaterOnesRepeatTheRecords) {
    beginAt(0, ObserveActivity);
    DataSetCount = 3;
    clock = 2;
    AppendSummary();
    clock = 3;
    AppendSummary(); // the print begun again: no Tid line, a separator
    EXPECT_EQ(ActivityLog.filter("Observér").size(), 2);
    EXPECT_EQ(ActivityLog.filter("           Tid:").size(), 1);
}

TEST_F(ActivityLogTest, ActivitiesPastTheFiftiethKeepTheLogGoingAndTheTableIntact) {
    for (int k = 1; k <= 60; ++k) {
        DataSetCount = k;
        beginAt(10.0 * k, k % 2 ? ObserveActivity : ExperimentActivity);
    }
    EXPECT_EQ(ActivityCount, MaxActivities);
    EXPECT_FALSE(ActivityInProgressRecorded());
    // Every change of activity still has its Tid line.
    EXPECT_EQ(ActivityLog.filter("           Tid: 10 sekunder").size(), 59);
    // Records 1..50 are as they were when they closed.
    for (int k = 1; k <= MaxActivities; ++k) {
        EXPECT_EQ(ActivityTable[k].Name, k % 2 ? ObserveActivity : ExperimentActivity);
        EXPECT_EQ(ActivityTable[k].Duration, 10);
        EXPECT_EQ(ActivityTable[k].DataSets, k + 1);
    }
    CountRightAnswer(); // the activity in progress has no record to count in
    EXPECT_EQ(ActivityTable[MaxActivities].RightAnswers, 0);

    clock = 700;
    AppendSummary();
    const int header = int(ActivityLog.lastIndexOf("    Tid      Aktivitet       Antal datasæt "));
    EXPECT_EQ(ActivityLog.at(header + 3 + MaxActivities), "   ----");
    EXPECT_EQ(ActivityLog.at(header + 4 + MaxActivities), "    500");
}

TEST_F(ActivityLogTest, ResetEmptiesTheTableButNotTheLog) {
    beginAt(0, CheckActivity);
    CountRightAnswer();
    beginAt(5, ObserveActivity);
    DataSetCount = 3;
    ResetActivities();
    EXPECT_EQ(ActivityCount, 0);
    EXPECT_EQ(DataSetCount, 0);
    EXPECT_EQ(ActivityTable[1].RightAnswers, 0);
    EXPECT_TRUE(ActivityTable[2].Name.isEmpty());
    EXPECT_EQ(ActivityLog.size(), 2);
    beginAt(9, CheckActivity); // a first activity again
    EXPECT_EQ(ActivityLog.size(), 2);
}

TEST_F(ActivityLogTest, ClipboardCarriesHeadingProgramNameAndLog) {
    struct Case {
        const char* heading;
        QStringList start;
    };
    const Case cases[] = {
        {"", {"Kolvane", " "}},
        {" ", {"Kolvane", " "}},
        {"Ida Hansen 5.b", {"Ida Hansen 5.b", " ", "Kolvane", " "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        ActivityLog = QStringList{"           Opgave nummer:  3     (2 variable)", " "};
        ResetActivities();
        Heading = QString::fromUtf8(c.heading);
        beginAt(0, ObserveActivity);
        clock = 1;
        CopyLogToClipboard();
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        EXPECT_EQ(lines.mid(0, c.start.size()), c.start);
        EXPECT_EQ(lines.mid(c.start.size()), ActivityLog);
        EXPECT_EQ(lines.at(c.start.size()), "           Opgave nummer:  3     (2 variable)");
        EXPECT_EQ(lines.last(), " ");
    }
}

TEST(LineFormats, RowsPutDigitsArrowAndOutputInTheirColumns) {
    const QString observation = ValueRowStart({" 3", " 7", " 9"}) + OutputText(19);
    const QString experiment = ExperimentRowLine({"3", "7", "9"}, OutputText(19));
    EXPECT_EQ(observation, experiment);
    EXPECT_EQ(observation, "           3     7     9     --->   19");
    EXPECT_EQ(ExperimentRowLine({"4", "8"}, OutputText(-10000)),
              "           4     8     ---> ****");
    EXPECT_EQ(ValueRowStart({" 4", " 8"}) + OutputText(-3), "           4     8     --->   -3");
    EXPECT_EQ(OutputText(9999), " 9999");
    EXPECT_EQ(OutputText(-9999), "-9999");
    EXPECT_EQ(OutputText(10000), " ****");
    EXPECT_EQ(NumberInWidth(123456, 5), "123456");
    EXPECT_EQ(TaskLine(" 7", 3), "           Opgave nummer:  7     (3 variable)");
}

} // namespace
