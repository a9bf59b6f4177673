// SPDX-License-Identifier: GPL-3.0-or-later
// kolvane-tasks: the program's entry, on standard input and output.
#include "tools/kolvane_tasks.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace {

// The arguments from the wide-character command line, in UTF-8: argv holds
// them in the ANSI code page, where a name outside it is lost.
std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int size =
            ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
        if (size > 0)
            ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        argument.pop_back(); // the terminating NUL
        arguments.push_back(std::move(argument));
    }
    ::LocalFree(wide);
    return arguments;
}

// Input and output are bytes, as on Linux: no Ctrl+Z ends the input, line
// ends stay bare (a CR before one is dropped where lines are read), and a
// console shows the UTF-8 output as such.
void PrepareStreams() {
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace

int main() {
    PrepareStreams();
    std::ios::sync_with_stdio(false);
    return KolvaneTasks::Run(Arguments(), std::cin, std::cout, std::cerr);
}

#else

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return KolvaneTasks::Run(arguments, std::cin, std::cout, std::cerr);
}

#endif
