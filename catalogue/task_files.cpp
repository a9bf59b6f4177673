// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/task_files.h"

#include "catalogue/cp1252.h"
#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace KolvErkl {

const std::string FileMissingMessage = " Filen findes ikke";
const std::string ReadErrorMessage = " Filen kunne ikke læses; fejl nr. ";
const std::string NoRoomMessage = " Der er ikke plads til flere opgaver  ";
const std::string SaveFailedMessage = " Det lykkedes ikke at gemme filen ";
const std::string DiskFullMessage = " Disken er fuld eller disketten fjernet. ";

namespace {

const std::string TaskFileEnding = ".kvn";
const std::string ExtraNameMark = "kstra"; // Ekstra..., ekstra...
const std::string LoadTaskTitle = " Hent en opgave ";
const std::string LoadExtraTitle = " Hent Ekstraopgaver ";
const std::string SaveTitle = " Gem din opgave? ";
const std::string TaskFilePattern = "*.kvn";
const std::string TaskFileSuffix = "kvn";
constexpr std::uintmax_t LeastFreeSpace = 400; // bytes; this or less is "disk full"

FileResult Failure(std::string message) {
    return FileResult{true, std::move(message)};
}

// A file descriptor that is closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

// Opens a regular file for loading. Loads never write, so the file is opened
// read-only: a task file that the user may not write (write-protected, or
// another user's) loads all the same. A pipe or device is never waited on
// and a folder is never read as a file: both count as files that cannot be
// opened.
int OpenForLoading(const std::string& name) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads exactly `size` bytes. Returns 0, EndOfFileCode when the file ends
// before them, or the system's error number.
int ReadRecord(int fd, uint8_t* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t r = ::read(fd, buffer + got, size - got);
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

std::filesystem::path FolderOf(const std::filesystem::path& name) {
    const std::filesystem::path folder = name.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// The folder itself when it exists, otherwise its nearest parent that does:
// the disk on which the folder would lie. A missing folder is then found
// out when the file is created, not taken for a full disk.
std::filesystem::path NearestExistingFolder(std::filesystem::path folder) {
    std::error_code error;
    while (!std::filesystem::exists(folder, error) && folder.has_relative_path())
        folder = folder.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Replaces the file `target` by `data` as one step: the data goes to a new
// file in the same folder, reaches the disk, and then takes the old name.
// A failure at any point leaves the old file as it was.
bool ReplaceFile(const std::filesystem::path& target, const uint8_t* data, std::size_t size) {
    // A file the user may not write cannot be created anew under its name;
    // a rename in a writable folder would replace it all the same.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return false;
    const std::filesystem::path folder = FolderOf(target);
    // A short name of its own, so that every name the file system takes for
    // the target (up to its longest) can be saved.
    std::string temp = (folder / ".kolvane-XXXXXX").string();
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
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

// Steps 2 to 5 of a save: the name test, the free space, and the data as
// the file's whole content.
FileResult SaveFile(const std::string& name, const uint8_t* data, std::size_t size) {
    if (!PassesNameTest(name))
        return Failure(SaveFailedMessage);

    // Room on the disk that will hold the file.
    std::error_code error;
    const std::filesystem::space_info space =
        std::filesystem::space(NearestExistingFolder(FolderOf(name)), error);
    if (error || space.available <= LeastFreeSpace)
        return Failure(DiskFullMessage);

    // A link is followed, so that the file it points to is the one replaced.
    std::filesystem::path target(name);
    if (std::filesystem::is_symlink(target, error)) {
        const std::filesystem::path resolved = std::filesystem::canonical(target, error);
        if (!error)
            target = resolved;
    }
    if (!ReplaceFile(target, data, size))
        return Failure(SaveFailedMessage);
    return {};
}

} // namespace

bool PassesNameTest(const std::string& name) {
    return name.size() >= TaskFileEnding.size() &&
           name.compare(name.size() - TaskFileEnding.size(), TaskFileEnding.size(),
                        TaskFileEnding) == 0;
}

FileResult LoadOwnTaskFile(const std::string& name) {
    // Only a name ending in .kvn is opened, and only for reading.
    if (!PassesNameTest(name))
        return Failure(FileMissingMessage);
    FileHandle file(OpenForLoading(name));
    if (!file)
        return Failure(FileMissingMessage);

    // The first record, into TransferRecord when it is a task record.
    TaskRecordBytes bytes{};
    const int code = ReadRecord(file.get(), bytes.data(), bytes.size());
    std::string reason;
    TaskRecord record;
    const bool read = code == 0 && DecodeTaskRecord(bytes, record, reason);
    if (read)
        TransferRecord = record;

    // Store it in its slot, or say why not.
    FileResult result;
    if (read && OwnTaskSpan < OwnTaskSlots) {
        const int n = TransferRecord.TaskNumber;
        CurrentTask = n;
        OwnTaskSlot(n) = TransferRecord;
        RaiseOwnTaskSpan(n);
    } else if (OwnTaskSpan >= OwnTaskSlots) {
        result = Failure(NoRoomMessage);
    } else if (code != 0) {
        result = Failure(ReadErrorMessage + std::to_string(code));
    } else {
        result = Failure(reason);
    }

    // The folder of the file becomes the next dialog's, whether it read or
    // not; the file closes on return.
    UpdateTaskFolder(name);
    return result;
}

FileResult LoadExtraTasksFile(const std::string& name) {
    // Only a name ending in .kvn is opened, and only for reading.
    if (!PassesNameTest(name))
        return Failure(FileMissingMessage);
    FileHandle file(OpenForLoading(name));
    if (!file)
        return Failure(FileMissingMessage);

    // Records 1..20; the first that fails ends the reading.
    FileResult result;
    bool allRead = true;
    for (int k = 1; k <= ExtraTaskCount; ++k) {
        std::array<uint8_t, ExtraRecordSize> bytes{};
        const int code = ReadRecord(file.get(), bytes.data(), bytes.size());
        std::string formula;
        std::string reason;
        if (code != 0) {
            result = Failure(ReadErrorMessage + std::to_string(code));
        } else if (!DecodeExtraRecord(bytes, formula, reason)) {
            result = Failure(reason + " (opgave nr. " + std::to_string(k) + ")");
        } else {
            ExtraTasks[static_cast<std::size_t>(k)].VariableCount = 3;
            ExtraTasks[static_cast<std::size_t>(k)].Formula = formula;
            continue;
        }
        allRead = false;
        break;
    }

    // Extra tasks are in force only when all 20 were read; the file closes on
    // return.
    ExtraTaskMode = allRead;
    UpdateTaskFolder(name);
    return result;
}

FileResult SaveOwnTaskFile(const std::string& name) {
    const TaskRecordBytes bytes = EncodeTaskRecord(TransferRecord);
    return SaveFile(name, bytes.data(), bytes.size());
}

FileResult SaveExtraTasksFile(const std::string& name, const std::vector<std::string>& formulas) {
    std::vector<uint8_t> bytes;
    for (const std::string& formula : formulas) {
        const auto record = EncodeExtraRecord(formula);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return SaveFile(name, bytes.data(), bytes.size());
}

FileResult LoadOwnTask(FileDialogs& dialogs) {
    const std::optional<std::string> name =
        dialogs.ChooseFileToOpen(LoadTaskTitle, TaskFilePattern);
    if (!name)
        return {};
    return LoadOwnTaskFile(*name);
}

FileResult LoadExtraTasks(FileDialogs& dialogs) {
    const std::optional<std::string> name =
        dialogs.ChooseFileToOpen(LoadExtraTitle, TaskFilePattern);
    if (!name)
        return {};
    return LoadExtraTasksFile(*name);
}

FileResult SaveOwnTask(FileDialogs& dialogs) {
    const std::optional<std::string> name = dialogs.ChooseFileToSave(
        SaveTitle, TaskFolder, Cp1252ToUtf8(TransferRecord.FileName.Text()), TaskFileSuffix);
    if (!name)
        return {};
    return SaveOwnTaskFile(*name);
}

FileResult LoadStartupFile() {
    if (ProgramArguments.empty())
        return {};
    const std::string& name = ProgramArguments.front();
    if (name.find(ExtraNameMark) != std::string::npos)
        return LoadExtraTasksFile(name);
    return LoadOwnTaskFile(name);
}

} // namespace KolvErkl
