// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer on POSIX systems.
#include "catalogue/native_files.h"

#include "catalogue/task_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace KolvErkl::NativeFiles {

namespace {

bool WriteAll(int fd, const uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t w = ::write(fd, data + done, size - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    return true;
}

std::string FolderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
}

} // namespace

std::filesystem::path PathOf(const std::string& name) {
    return std::filesystem::path(name);
}

std::string NameOf(const std::filesystem::path& path) {
    return path.string();
}

ReadOnlyFile::ReadOnlyFile(const std::string& name)
    : fd_(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {
    // A pipe or device is never waited on and a folder is never read.
    struct stat st {};
    if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd_);
        fd_ = -1;
    }
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

ReadOnlyFile::operator bool() const {
    return fd_ >= 0;
}

int ReadOnlyFile::Read(uint8_t* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t r = ::read(fd_, buffer + got, size - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return errno != 0 ? errno : EIO;
        }
        if (r == 0)
            return EndOfFileCode;
        got += static_cast<std::size_t>(r);
    }
    return 0;
}

bool WriteFileAtomically(const std::string& target, const uint8_t* data, std::size_t size) {
    // A file the user may not write cannot be created anew under its name;
    // a rename in a writable folder would replace it all the same.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return false;
    const std::string folder = FolderOf(target);
    // A short name of its own, so that every name the file system takes for
    // the target (up to its longest) can be saved.
    std::string temp = (folder == "/" ? std::string() : folder) + "/.kolvane-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;

    // The new file gets the old one's permissions, or those of a new file.
    struct stat old {};
    mode_t permissions = 0;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        permissions = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        permissions = 0666 & ~mask;
    }

    bool ok = ::fchmod(fd, permissions) == 0 && WriteAll(fd, data, size) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The new name itself reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::optional<std::uintmax_t> FreeSpace(const std::string& folder) {
    struct statvfs fs {};
    if (::statvfs(folder.empty() ? "." : folder.c_str(), &fs) != 0)
        return std::nullopt;
    return static_cast<std::uintmax_t>(fs.f_bavail) * fs.f_frsize;
}

bool CanWriteIn(const std::string& folder) {
    return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace KolvErkl::NativeFiles
