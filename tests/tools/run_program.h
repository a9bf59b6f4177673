// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a program to its end with the given arguments and standard input,
// and gives its exit status, standard output and standard error. Arguments
// reach the program as they are, whatever characters they hold.
#pragma once

#include "scratch_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace KolvTest {

struct RunResult {
    int status = -1;
    std::string out, err;
};

inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifdef _WIN32

inline std::wstring WideText(const std::string& text) {
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// One argument of a command line as the C runtime splits it again.
inline std::wstring CommandLineArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

inline HANDLE InheritedFile(const std::filesystem::path& path, bool forWriting) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(
        path.c_str(), forWriting ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
        &inherit, forWriting ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

#else

inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

#endif

// `scratch` is a folder for the input and the error output.
inline RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& input, const std::filesystem::path& scratch) {
    const std::filesystem::path in = scratch / "run-in", out = scratch / "run-out",
                                err = scratch / "run-err";
    std::ofstream(in, std::ios::binary) << input;
    RunResult result;
#ifdef _WIN32
    std::wstring command = CommandLineArgument(WideText(program));
    for (const std::string& a : arguments)
        command += L" " + CommandLineArgument(WideText(a));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritedFile(in, false);
    startup.hStdOutput = InheritedFile(out, true);
    startup.hStdError = InheritedFile(err, true);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (::GetExitCodeProcess(process.hProcess, &code))
            result.status = static_cast<int>(code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        ::CloseHandle(h);
#else
    std::string command = ShellQuoted(program);
    for (const std::string& a : arguments)
        command.append(" ").append(ShellQuoted(a));
    command += " <" + ShellQuoted(in.string()) + " >" + ShellQuoted(out.string()) + " 2>" +
               ShellQuoted(err.string());
    const int status = std::system(command.c_str());
    result.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    result.out = FileText(out);
    result.err = FileText(err);
    return result;
}

} // namespace KolvTest
