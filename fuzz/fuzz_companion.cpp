// SPDX-License-Identifier: GPL-3.0-or-later
// kolvane-tasks on any arguments and standard input, run in a scratch
// folder that is emptied before each run. An error is always one line that
// starts with the program's name.
//
// Input: one byte n (taken modulo 8), n arguments each ended by a NUL byte,
// then standard input. Inputs with an argument holding "/" are skipped, so
// that no run reads or writes outside the scratch folder.
#include "fuzz_support.h"
#include "tools/kolvane_tasks.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    KolvaneFuzz::Input input(data, size);
    const int count = input.Byte() % 8;
    std::string_view rest = input.Rest();
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        const std::size_t end = rest.find('\0');
        if (end == std::string_view::npos)
            return 0;
        arguments.emplace_back(rest.substr(0, end));
        if (arguments.back().find('/') != std::string::npos)
            return 0;
        rest.remove_prefix(end + 1);
    }

    for (const auto& entry : std::filesystem::directory_iterator(KolvaneFuzz::ScratchFolder()))
        std::filesystem::remove_all(entry.path());
    // In the scratch folder for the run only: libFuzzer reads its corpus
    // by the names it was given.
    const int home = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (home < 0 || ::chdir(KolvaneFuzz::ScratchFolder().c_str()) != 0)
        std::abort();
    std::istringstream in{std::string(rest)};
    std::ostringstream out, err;
    const int status = KolvaneTasks::Run(arguments, in, out, err);
    if (::fchdir(home) != 0)
        std::abort();
    ::close(home);
    const std::string message = err.str();
    if (status == KolvaneTasks::ExitOk && !message.empty())
        std::abort();
    if (status != KolvaneTasks::ExitOk) {
        const bool oneLine = message.rfind("kolvane-tasks: ", 0) == 0 &&
                             message.find_first_of("\r\n") == message.size() - 1;
        if (!oneLine)
            std::abort();
    }
    return 0;
}
