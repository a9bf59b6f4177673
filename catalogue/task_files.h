// Loading and saving task files and extra-task files. Each operation gives a
// failed flag and a Danish message (UTF-8) that the calling window shows.
// The file dialogs are reached through FileDialogs, so that the operations
// can be used and tested without windows.
#pragma once

#include <optional>
#include <string>

namespace KolvErkl {

struct FileResult {
    bool failed = false;
    std::string message; // UTF-8
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full file name, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(const std::string& title,
                                                const std::string& presetName) = 0;
    virtual std::optional<std::string> saveFile(const std::string& title,
                                                const std::string& folder,
                                                const std::string& presetName,
                                                const std::string& defaultSuffix) = 0;
};

FileResult LoadOwnTask(FileDialogs& dialogs);
FileResult LoadExtraTasks(FileDialogs& dialogs);
FileResult SaveOwnTask(FileDialogs& dialogs);
FileResult LoadStartupFile();

} // namespace KolvErkl
