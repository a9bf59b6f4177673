// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/task_files.h"

#include "catalogue/cp1252.h"
#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"

#include "catalogue/native_files.h"

#include <filesystem>

namespace KolvErkl {

const std::string FileMissingMessage = " Filen findes ikke";
const std::string ReadErrorMessage = " Filen kunne ikke læses; fejl nr. ";
const std::string NoRoomMessage = " Der er ikke plads til flere opgaver  ";
const std::string SaveFailedMessage = " Det lykkedes ikke at gemme filen ";
const std::string DiskFullMessage = " Disken er fuld eller disketten fjernet. ";
const std::string ReadErrorCaption = "Fejl ved læsning ";

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
    return FileResult::Failure(std::move(message));
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

// Steps 2 to 5 of a save: the name test, the free space, and the data as
// the file's whole content.
FileResult SaveFile(const std::string& name, const uint8_t* data, std::size_t size) {
    if (!PassesNameTest(name))
        return Failure(SaveFailedMessage);

    // Room on the disk that will hold the file.
    const std::filesystem::path path = NativeFiles::PathOf(name);
    const std::optional<std::uintmax_t> space =
        NativeFiles::FreeSpace(NativeFiles::NameOf(NearestExistingFolder(FolderOf(path))));
    if (!space || *space <= LeastFreeSpace)
        return Failure(DiskFullMessage);

    // A link is followed, so that the file it points to is the one replaced.
    std::string target = name;
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const std::filesystem::path resolved = std::filesystem::canonical(path, error);
        if (!error)
            target = NativeFiles::NameOf(resolved);
    }
    if (!NativeFiles::WriteFileAtomically(target, data, size))
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
    NativeFiles::ReadOnlyFile file(name);
    if (!file)
        return Failure(FileMissingMessage);

    // The first record, into TransferRecord when it is a task record.
    TaskRecordBytes bytes{};
    const int code = file.Read(bytes.data(), bytes.size());
    Outcome<TaskRecord> decoded;
    if (code == 0)
        decoded = DecodeTaskRecord(bytes);
    const bool read = code == 0 && !decoded.Failed;
    if (read)
        TransferRecord = decoded.Result;

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
        result = Failure(decoded.Message);
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
    NativeFiles::ReadOnlyFile file(name);
    if (!file)
        return Failure(FileMissingMessage);

    // Records 1..20; the first that fails ends the reading.
    FileResult result;
    for (int k = 1; k <= ExtraTaskCount && !result.Failed; ++k) {
        std::array<uint8_t, ExtraRecordSize> bytes{};
        const int code = file.Read(bytes.data(), bytes.size());
        if (code != 0) {
            result = Failure(ReadErrorMessage + std::to_string(code));
            continue;
        }
        Outcome<std::string> formula = DecodeExtraRecord(bytes);
        if (formula.Failed) {
            result = Failure(formula.Message + " (opgave nr. " + std::to_string(k) + ")");
            continue;
        }
        ExtraTasks[static_cast<std::size_t>(k)].VariableCount = 3;
        ExtraTasks[static_cast<std::size_t>(k)].Formula = std::move(formula.Result);
    }

    // Extra tasks are in force only when all 20 were read; the file closes on
    // return.
    ExtraTaskMode = !result.Failed;
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
