// SPDX-License-Identifier: GPL-3.0-or-later
// File names between Qt and the task-file operations, which take them in the
// system's own form: native separators, UTF-8 on Windows, the file system's
// bytes elsewhere (so that a name in another encoding still opens).
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace KolvErkl {

std::string NativeFileName(const QString& name);
QString FileNameFromNative(const std::string& name);

// The command-line arguments after the program's name, each in the system's
// own form (on Windows from the wide-character command line, so that a name
// outside the ANSI code page survives). Call after the QApplication exists.
std::vector<std::string> ProgramArgumentsOf(int argc, char** argv);

} // namespace KolvErkl
