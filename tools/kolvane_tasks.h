// SPDX-License-Identifier: GPL-3.0-or-later
// kolvane-tasks, the command-line companion: evaluates tasks with the
// program's own rule engine and works on task files.
//
// kolvane_tasks_main.cpp holds main(); kolvane_tasks.cpp the commands eval
// and table and the option parsing; kolvane_tasks_files.cpp the commands
// that read and write task files and extra-task files, and the option
// --extra of eval and table. Both report bad input the same way: one line on standard error
// starting with "kolvane-tasks: " and exit status 2.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace KolvaneTasks {

inline constexpr int ExitOk = 0;
inline constexpr int ExitBadInput = 2;

// Writes "kolvane-tasks: <message>" and a newline to err, with the control
// characters of the message escaped (\n, \r, \t, \x1b): always one line.
// Returns ExitBadInput.
int Fail(std::ostream& err, std::string_view message);
std::string EscapeControlCharacters(std::string_view text);

// The whole program on its arguments (without the program's name); returns
// the exit status.
int Run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
        std::ostream& err);

// ---- Provided by kolvane_tasks_files.cpp --------------------------------

// Whether command names one of the file commands (show, make-task,
// make-extra, show-extra).
bool IsFileCommand(std::string_view command);

// Runs a file command on the arguments that follow its name; returns the
// exit status.
int RunFileCommand(std::string_view command, const std::vector<std::string>& arguments,
                   std::istream& in, std::ostream& out, std::ostream& err);

// The option --extra FILE of eval and table: reads the extra-task file into
// the extra-task table and sets extra-task mode, as the program's own load
// does. On failure reports through Fail and returns false.
bool LoadExtraOption(const std::string& file, std::ostream& err);

// Usage lines of the file commands for --help, each ending in a newline.
std::string FileCommandsUsage();

} // namespace KolvaneTasks
