// SPDX-License-Identifier: GPL-3.0-or-later
// What the task-file operations need from the operating system, behind one
// set of functions: POSIX calls on Linux, wide-character Win32 calls on
// Windows. File names are UTF-8 on Windows and the file system's own bytes
// elsewhere; nothing above this layer assumes either system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace KolvErkl::NativeFiles {

#ifdef _WIN32
inline constexpr char Separator = '\\';
#else
inline constexpr char Separator = '/';
#endif

// Whether `c` separates folders in a file name. Windows takes '/' as well.
constexpr bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// The path a file name names, for std::filesystem (which would read a plain
// string on Windows in the ANSI code page, not as UTF-8).
std::filesystem::path PathOf(const std::string& name);
// The file name of a path: PathOf's reverse.
std::string NameOf(const std::filesystem::path& path);

// A regular file opened read-only for loading. The file is shared with every
// other program (a task file open in another program loads too), a file the
// user may not write loads all the same, and a folder, pipe or device never
// opens. Closed when it goes out of scope.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& name);
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    explicit operator bool() const;

    // Reads exactly `size` bytes: 0, EndOfFileCode when the file ends before
    // them, or the system's error number.
    int Read(uint8_t* buffer, std::size_t size);

private:
#ifdef _WIN32
    void* handle_;
#else
    int fd_;
#endif
};

// Replaces the file `target` by `data` as one step: the data goes to a new
// file in the same folder, reaches the disk, and then takes the old name. A
// failure at any point leaves the old file as it was and no new file behind.
// A file that the user may not write is not replaced.
bool WriteFileAtomically(const std::string& target, const uint8_t* data, std::size_t size);

// The bytes free for the user on the disk that holds `folder` (an existing
// folder; empty: the current one), or nothing when the system gives no answer.
std::optional<std::uintmax_t> FreeSpace(const std::string& folder);

// Whether new files can be made in `folder` (empty: the current folder),
// found out without making one.
bool CanWriteIn(const std::string& folder);

} // namespace KolvErkl::NativeFiles
