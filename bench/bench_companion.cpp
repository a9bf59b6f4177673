// SPDX-License-Identifier: GPL-3.0-or-later
// How long the companion takes for a batch, as a whole process: started,
// fed 1 000 or 100 000 lines "VARS X Y Z TEXT" of own-task formulas on its
// standard input, and waited for. Its answers go to /dev/null.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

extern char** environ;

namespace {

// Formulas of 3 to 60 characters, from the four operations to every named
// function, and one that fails for some values.
const char* const Formulas[] = {
    "x+y",
    "x*y",
    "2*x+3*y",
    "x/(y-z)",
    "s(x*y*z)",
    "x*y+z-p+q+1",
    "abs(x-y)+s(x*y)+q",
    "(x+y)*(z-1)/(p+1)+10",
    "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+2",
    "abs(x-y)*s(p+q+r)-f(x*y*z)/g(z+1)+h(x)+d(y)+b(0)+e(0)+j(3)+1",
};

// A batch of `lines` lines in a file of its own; the file goes with the
// benchmark.
std::string writeBatch(int64_t lines) {
    const std::string path = "/tmp/kolvane-bench-batch-" + std::to_string(lines) + ".txt";
    std::ofstream out(path, std::ios::binary);
    std::mt19937 random(2026);
    for (int64_t i = 0; i < lines; ++i) {
        out << "3 " << 1 + random() % 9 << ' ' << 1 + random() % 9 << ' ' << 1 + random() % 9 << ' '
            << Formulas[i % std::size(Formulas)] << '\n';
    }
    return path;
}

void Batch(benchmark::State& state) {
    const std::string input = writeBatch(state.range(0));
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    char program[] = KOLVANE_COMPANION, eval[] = "eval", batch[] = "--batch";
    char* const arguments[] = {program, eval, batch, nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, program, &files, nullptr, arguments, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the companion did not run to its end");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&files);
    std::remove(input.c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Batch)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
