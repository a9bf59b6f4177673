// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer on Windows: wide-character Win32 calls on UTF-8 names.
#include "catalogue/native_files.h"

#include "catalogue/task_files.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cwchar>
#include <windows.h>

namespace KolvErkl::NativeFiles {

namespace {

// The UTF-16 form of a UTF-8 name; empty when the name is not UTF-8 (no
// such file can exist) or is empty.
std::wstring Wide(const std::string& name) {
    if (name.empty() || name.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int size = static_cast<int>(name.size());
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), size, wide.data(), length);
    // A name with a NUL in it would name another file to the system.
    if (wide.find(L'\0') != std::wstring::npos)
        return {};
    return wide;
}

// The folder part of a name, "." when it has none; a drive's root keeps
// its separator ("C:\").
std::wstring FolderOf(const std::wstring& name) {
    const std::size_t separator = name.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        // "C:Opg21.kvn" lies in drive C's current folder.
        if (name.size() >= 2 && name[1] == L':')
            return name.substr(0, 2);
        return L".";
    }
    if (separator == 0 || (separator == 2 && name[1] == L':'))
        return name.substr(0, separator + 1);
    return name.substr(0, separator);
}

std::wstring WithSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/' && folder.back() != L':')
        folder += L'\\';
    return folder;
}

bool WriteAll(HANDLE file, const uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, data + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A name in `folder` that no file has yet, created empty for writing; the
// handle, or INVALID_HANDLE_VALUE.
HANDLE CreateTemporaryIn(const std::wstring& folder, std::wstring& name) {
    static std::atomic<unsigned> counter{0};
    const unsigned base = ::GetCurrentProcessId() * 2654435761u ^ ::GetTickCount();
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[16];
        const unsigned n = base + counter.fetch_add(1) * 40503u;
        ::swprintf(suffix, 16, L".kolvane-%06x", n & 0xFFFFFFu);
        name = WithSeparator(folder) + suffix;
        const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

std::filesystem::path PathOf(const std::string& name) {
    return std::filesystem::path(Wide(name));
}

std::string NameOf(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX))
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string name(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, name.data(), length, nullptr, nullptr);
    return name;
}

ReadOnlyFile::ReadOnlyFile(const std::string& name) : handle_(INVALID_HANDLE_VALUE) {
    const std::wstring wide = Wide(name);
    if (wide.empty())
        return;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open.
    const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    // "CON.kvn" names the console and "\\.\pipe\x.kvn" a pipe: only a file
    // on a disk is read.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return;
    }
    handle_ = file;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (handle_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle_);
}

ReadOnlyFile::operator bool() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

int ReadOnlyFile::Read(uint8_t* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - got, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(handle_, buffer + got, chunk, &read, nullptr)) {
            const DWORD error = ::GetLastError();
            return error != 0 ? static_cast<int>(error) : static_cast<int>(ERROR_READ_FAULT);
        }
        if (read == 0)
            return EndOfFileCode;
        got += read;
    }
    return 0;
}

bool WriteFileAtomically(const std::string& target, const uint8_t* data, std::size_t size) {
    const std::wstring wide = Wide(target);
    if (wide.empty())
        return false;
    // A read-only file is the user's word that it is not to be replaced.
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;

    std::wstring temp;
    const HANDLE file = CreateTemporaryIn(FolderOf(wide), temp);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(file, data, size) && ::FlushFileBuffers(file);
    ok = ::CloseHandle(file) && ok;
    // The rename itself reaches the disk before the call returns.
    ok = ok && ::MoveFileExW(temp.c_str(), wide.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::uintmax_t> FreeSpace(const std::string& folder) {
    const std::wstring wide = folder.empty() ? std::wstring(L".") : Wide(folder);
    ULARGE_INTEGER available{};
    if (wide.empty() ||
        !::GetDiskFreeSpaceExW(WithSeparator(wide).c_str(), &available, nullptr, nullptr))
        return std::nullopt;
    return available.QuadPart;
}

bool CanWriteIn(const std::string& folder) {
    const std::wstring wide = folder.empty() ? std::wstring(L".") : Wide(folder);
    if (wide.empty())
        return false;
    // Opening the folder for the right to add a file asks the system's access
    // check (the folder's security, a write-protected disk) without making a
    // file there.
    const HANDLE handle = ::CreateFileW(
        wide.c_str(), FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool folderFound = ::GetFileInformationByHandle(handle, &info) &&
                             (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ::CloseHandle(handle);
    return folderFound;
}

} // namespace KolvErkl::NativeFiles
