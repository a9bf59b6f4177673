// SPDX-License-Identifier: GPL-3.0-or-later
// ResetProgramState puts back the shared state of every library, so that no
// test inherits what an earlier one left behind.
#include "app/print_log.h"
#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"
#include "ui/ui_services.h"

#include <gtest/gtest.h>

namespace {

using namespace KolvErkl;

TEST(ProgramState, ResetPutsBackEveryLibrarysStateAndEmptiesTheHooks) {
    CurrentTask = 7;
    NumberOfVariables = 2;
    ProgramArguments = {"/tmp/Opg30.kvn"};
    OwnTaskSlot(30).Free = 0;
    OwnTaskSpan = 10;
    TransferRecord.TaskNumber = 30;
    ActivityLog = {QStringLiteral("x")};
    Heading = QStringLiteral("Anna");
    BeginActivity(ObserveActivity);
    PrintBuffer = {QStringLiteral("y")};
    MessageHook = [](const QString&, const QString&) {};
    HelpHook = [] {};
    ClockHook = [] { return 1.0; };
    SummaryHook = [] {};

    ResetProgramState();

    EXPECT_EQ(CurrentTask, 0);
    EXPECT_EQ(NumberOfVariables, 3);
    EXPECT_TRUE(ProgramArguments.empty());
    EXPECT_TRUE(OwnTaskSlot(30).IsFree());
    EXPECT_EQ(OwnTaskSpan, 0);
    EXPECT_EQ(TransferRecord.TaskNumber, 0);
    EXPECT_TRUE(ActivityLog.isEmpty());
    EXPECT_TRUE(Heading.isEmpty());
    EXPECT_EQ(ActivityCount, 0);
    EXPECT_TRUE(PrintBuffer.isEmpty());
    EXPECT_FALSE(MessageHook || HelpHook || ClockHook || SummaryHook);
}

} // namespace
