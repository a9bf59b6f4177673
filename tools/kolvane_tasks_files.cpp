// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands of kolvane-tasks: show, make-task, make-extra,
// show-extra, and the option --extra of eval and table. They read and
// write files through the program's own catalogue, so a file made here is
// judged and laid out exactly as the program's define dialog would, and a
// file read here fails with the message the program would show.
#include "tools/kolvane_tasks.h"

#include "catalogue/cp1252.h"
#include "catalogue/define_task.h"
#include "catalogue/native_files.h"
#include "catalogue/task_catalogue.h"
#include "catalogue/task_files.h"
#include "engine/kolv_erkl.h"

#include <array>
#include <fstream>
#include <optional>
#include <ostream>

namespace KolvaneTasks {

namespace {

using namespace KolvErkl;

constexpr std::array<std::string_view, 4> FileCommands = {"show", "make-task", "make-extra",
                                                          "show-extra"};

// The catalogue and engine as at the program's start, without a command
// line: loads open files read-only.
void FreshCatalogue() {
    ResetEngineState();
    ProgramArguments.clear();
    InitTaskCatalogue();
}

// A failed file operation: the file's name, then the program's own message
// (which begins with a blank).
int FailFile(std::ostream& err, const std::string& file, const std::string& message) {
    return Fail(err, file + ":" + message);
}

int RunShow(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1)
        return Fail(err, "show needs exactly one FILE");
    FreshCatalogue();
    const std::string& file = arguments[0];
    const FileResult result = LoadOwnTaskFile(file);
    if (result.Failed)
        return FailFile(err, file, result.Message);
    const TaskRecord& r = TransferRecord;
    out << "Free: " << int{r.Free} << '\n'
        << "VariableCount: " << r.VariableCount << '\n'
        << "TaskNumber: " << r.TaskNumber << '\n'
        << "Formula: " << EscapeControlCharacters(Cp1252ToUtf8(r.Formula.Text())) << '\n'
        << "FileName: " << EscapeControlCharacters(Cp1252ToUtf8(r.FileName.Text())) << '\n';
    return ExitOk;
}

struct MakeTaskRequest {
    std::optional<std::string> Number, Formula, File;
    int Variables = 3;
};

bool ParseMakeTask(const std::vector<std::string>& arguments, MakeTaskRequest& request,
                   std::ostream& err) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue =
            argument == "--number" || argument == "--vars" || argument == "--formula";
        if (!takesValue) {
            if (argument.size() > 1 && argument[0] == '-') {
                Fail(err, "unknown option '" + argument + "'");
                return false;
            }
            if (request.File) {
                Fail(err, "make-task takes one FILE; extra operand '" + argument + "'");
                return false;
            }
            request.File = argument;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            Fail(err, "option " + argument + " needs a value");
            return false;
        }
        const std::string& value = arguments[++i];
        if (argument == "--number") {
            request.Number = value;
        } else if (argument == "--formula") {
            request.Formula = value;
        } else if (value == "2" || value == "3") {
            request.Variables = value[0] - '0';
        } else {
            Fail(err, "the number of variables must be 2 or 3, not '" + value + "'");
            return false;
        }
    }
    if (!request.Number || !request.Formula || !request.File) {
        Fail(err, "make-task needs --number N, --formula TEXT and FILE");
        return false;
    }
    return true;
}

// The define dialog's AcceptTask without the dialog: the same checks and
// trials with the same messages, then the same save.
int RunMakeTask(const std::vector<std::string>& arguments, std::ostream& err) {
    MakeTaskRequest request;
    if (!ParseMakeTask(arguments, request, err))
        return ExitBadInput;
    FreshCatalogue();
    NumberOfVariables = request.Variables;

    const std::optional<int> number = ParseTaskNumber(*request.Number);
    if (!number)
        return Fail(err, TaskNumberErrorMessage);
    const std::string formula = Utf8ToCp1252(*request.Formula);
    if (!LettersFitVariables(formula, NumberOfVariables))
        return Fail(err, TwoVariableLettersMessage);
    const TrialResult trial = TryNewTask(*number, formula);
    if (!trial.Good)
        return Fail(err, NoGoodTrialMessage);
    if (trial.Hard())
        err << "kolvane-tasks: " << HardToFindValuesMessage << '\n';

    StoreNewTask(*number, formula);
    const FileResult saved = SaveOwnTaskFile(*request.File);
    if (saved.Failed)
        return FailFile(err, *request.File, saved.Message);
    return ExitOk;
}

int RunMakeExtra(const std::vector<std::string>& arguments, std::ostream& err) {
    if (arguments.size() != 2)
        return Fail(err, "make-extra needs TEXTFILE and FILE");
    const std::string& textFile = arguments[0];
    std::ifstream in(KolvErkl::NativeFiles::PathOf(textFile), std::ios::binary);
    if (!in)
        return Fail(err, textFile + ": cannot be read");

    std::vector<std::string> formulas;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t lineNumber = formulas.size() + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lineNumber > static_cast<std::size_t>(ExtraTaskCount))
            return Fail(err, textFile + ": line " + std::to_string(lineNumber) +
                                 ": an extra-task file holds exactly 20 formulas");
        std::string formula = Utf8ToCp1252(line);
        if (formula.size() > static_cast<std::size_t>(MaxFormulaLength))
            return Fail(err, textFile + ": line " + std::to_string(lineNumber) + ": " +
                                 std::to_string(formula.size()) +
                                 " characters; a formula has at most 60");
        formulas.push_back(std::move(formula));
    }
    if (formulas.size() != static_cast<std::size_t>(ExtraTaskCount))
        return Fail(err, textFile + ": " + std::to_string(formulas.size()) +
                             " lines; an extra-task file holds exactly 20 formulas");

    const std::string& file = arguments[1];
    const FileResult saved = SaveExtraTasksFile(file, formulas);
    if (saved.Failed)
        return FailFile(err, file, saved.Message);
    return ExitOk;
}

int RunShowExtra(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1)
        return Fail(err, "show-extra needs exactly one FILE");
    FreshCatalogue();
    if (!LoadExtraOption(arguments[0], err))
        return ExitBadInput;
    for (int k = 1; k <= ExtraTaskCount; ++k)
        out << EscapeControlCharacters(
                   Cp1252ToUtf8(ExtraTasks[static_cast<std::size_t>(k)].Formula))
            << '\n';
    return ExitOk;
}

} // namespace

bool IsFileCommand(std::string_view command) {
    for (std::string_view name : FileCommands) {
        if (command == name)
            return true;
    }
    return false;
}

int RunFileCommand(std::string_view command, const std::vector<std::string>& arguments,
                   std::istream&, std::ostream& out, std::ostream& err) {
    if (command == "show")
        return RunShow(arguments, out, err);
    if (command == "make-task")
        return RunMakeTask(arguments, err);
    if (command == "make-extra")
        return RunMakeExtra(arguments, err);
    return RunShowExtra(arguments, out, err);
}

bool LoadExtraOption(const std::string& file, std::ostream& err) {
    const FileResult result = LoadExtraTasksFile(file);
    if (result.Failed) {
        FailFile(err, file, result.Message);
        return false;
    }
    return true;
}

std::string FileCommandsUsage() {
    return "  kolvane-tasks show FILE\n"
           "  kolvane-tasks make-task --number N [--vars 2|3] --formula TEXT FILE\n"
           "  kolvane-tasks make-extra TEXTFILE FILE\n"
           "  kolvane-tasks show-extra FILE\n";
}

} // namespace KolvaneTasks
