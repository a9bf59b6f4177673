// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving task files and extra-task files. Each operation gives an
// Outcome: a failed flag and a Danish message (UTF-8) that the calling
// window shows.
// The file dialogs are reached through FileDialogs, so that the operations
// can be used and tested without windows.
#pragma once

#include "catalogue/outcome.h"

#include <optional>
#include <string>
#include <vector>

namespace KolvErkl {

using FileResult = Outcome<>;

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen full file name, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const std::string& title,
                                                        const std::string& presetName) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const std::string& title,
                                                        const std::string& folder,
                                                        const std::string& presetName,
                                                        const std::string& defaultSuffix) = 0;
};

// The texts the user is shown when an operation fails.
extern const std::string FileMissingMessage; // " Filen findes ikke"
extern const std::string ReadErrorMessage;   // " Filen kunne ikke læses; fejl nr. " + code
extern const std::string NoRoomMessage;      // " Der er ikke plads til flere opgaver  "
extern const std::string SaveFailedMessage;  // " Det lykkedes ikke at gemme filen "
extern const std::string DiskFullMessage;    // " Disken er fuld eller disketten fjernet. "
// The caption of the message box that tells of a failed load.
extern const std::string ReadErrorCaption; // "Fejl ved læsning "
// The I/O error code of a file that ends before a whole record.
inline constexpr int EndOfFileCode = 100;

// A name passes when it ends in ".kvn", exactly so.
bool PassesNameTest(const std::string& name);

FileResult LoadOwnTask(FileDialogs& dialogs);
FileResult LoadExtraTasks(FileDialogs& dialogs);
FileResult SaveOwnTask(FileDialogs& dialogs);
FileResult LoadStartupFile();

// The steps after the dialog, for a name already chosen: what the operations
// above do once the user has picked a file (the companion uses them too).
FileResult LoadOwnTaskFile(const std::string& name);
FileResult LoadExtraTasksFile(const std::string& name);
FileResult SaveOwnTaskFile(const std::string& name);

// Writes an extra-task file of the given formulas (each cut to 60
// characters) under the same rules as a save: the name test, the free
// space, and a file replaced in one step. The program itself never writes
// one; the companion does.
FileResult SaveExtraTasksFile(const std::string& name, const std::vector<std::string>& formulas);

} // namespace KolvErkl
