// SPDX-License-Identifier: GPL-3.0-or-later
// How long the lesson journal takes after a change of a log of 500 (and
// 5000) lines: taking the lesson and making the journal's bytes, and the
// whole write of the journal to its file (a new file next to it, flushed to
// the disk, then renamed over it), which the program does while it waits
// for the pupil's next click.
#include "app/lesson_journal.h"
#include "engine/kolv_erkl.h"
#include "exercise/activity_log.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace KolvErkl;

namespace {

// A lesson of `lines` log lines: observations, as a long lesson has them.
void fillLesson(int64_t lines) {
    ResetProgramState();
    Heading = QStringLiteral("Ida Ærø");
    BeginActivity(ObserveActivity);
    ActivityLog << TaskLine(QStringLiteral(" 7"), 3) << QStringLiteral(" ");
    while (ActivityLog.size() < lines)
        ActivityLog << ValueRowStart(
                           {QStringLiteral(" 8"), QStringLiteral(" 5"), QStringLiteral(" 2")}) +
                           OutputText(15);
}

void JournalBytes(benchmark::State& state) {
    fillLesson(state.range(0));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string bytes = EncodeJournal(CaptureLesson());
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetLabel(std::to_string(size / 1024) + " KiB");
}
BENCHMARK(JournalBytes)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

void JournalWrite(benchmark::State& state) {
    const QTemporaryDir folder;
    LessonJournal journal(folder.path());
    journal.OfferUnfinishedLesson(nullptr);
    fillLesson(state.range(0));
    const QString rows[] = {ActivityLog.last(), ActivityLog.last() + QLatin1Char(' ')};
    int64_t k = 0;
    for (auto _ : state) {
        // A changed line, so that every round writes.
        ActivityLog.last() = rows[++k % 2];
        journal.Update();
    }
}
BENCHMARK(JournalWrite)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
