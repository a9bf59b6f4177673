// SPDX-License-Identifier: GPL-3.0-or-later
// kolvane-tasks: the program's entry, on standard input and output.
#include "tools/kolvane_tasks.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return KolvaneTasks::Run(arguments, std::cin, std::cout, std::cerr);
}
