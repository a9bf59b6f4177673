// The file commands of kolvane-tasks: show, make-task, make-extra,
// show-extra, and the option --extra of eval and table.
#include "tools/kolvane_tasks.h"

#include <array>
#include <ostream>

namespace KolvaneTasks {

namespace {
constexpr std::array<std::string_view, 4> FileCommands = {"show", "make-task", "make-extra",
                                                          "show-extra"};
}

bool IsFileCommand(std::string_view command) {
    for (std::string_view name : FileCommands) {
        if (command == name)
            return true;
    }
    return false;
}

int RunFileCommand(std::string_view command, const std::vector<std::string>&, std::istream&,
                   std::ostream&, std::ostream& err) {
    return Fail(err, std::string(command) + " is not available yet");
}

bool LoadExtraOption(const std::string&, std::ostream& err) {
    Fail(err, "--extra is not available yet");
    return false;
}

std::string FileCommandsUsage() {
    return {};
}

} // namespace KolvaneTasks
