// SPDX-License-Identifier: GPL-3.0-or-later
// kolvane-tasks: the commands eval and table, and their options.
//
//   kolvane-tasks eval [--vars 2|3] [--extra FILE] (--task N | --formula TEXT) X Y [Z]
//   kolvane-tasks eval --batch
//   kolvane-tasks table [--vars 2|3] [--extra FILE] (--task N | --formula TEXT)
//
// eval prints "OUTPUT ERROR POSITION": the machine's output, FormulaError as
// 1 or 0 and where the evaluation stopped (0 where none took place).
#include "tools/kolvane_tasks.h"
#include "catalogue/task_catalogue.h"
#include "engine/kolv_erkl.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace KolvaneTasks {

std::string EscapeControlCharacters(std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else if (c == '\t')
            escaped += "\\t";
        else if (byte < 0x20 || byte == 0x7f)
            escaped.append("\\x").append(1, Hex[byte >> 4]).append(1, Hex[byte & 0xf]);
        else
            escaped += c;
    }
    return escaped;
}

int Fail(std::ostream& err, std::string_view message) {
    // The message quotes arguments, file names and input lines: escaped, so
    // that it stays one line and cannot pass for another message.
    err << "kolvane-tasks: " << EscapeControlCharacters(message) << '\n';
    return ExitBadInput;
}

namespace {

using namespace KolvErkl;

constexpr std::string_view Usage =
    "Usage:\n"
    "  kolvane-tasks eval [--vars 2|3] [--extra FILE] (--task N | --formula TEXT) X Y [Z]\n"
    "  kolvane-tasks eval --batch\n"
    "  kolvane-tasks table [--vars 2|3] [--extra FILE] (--task N | --formula TEXT)\n"
    "  kolvane-tasks --help\n";

constexpr std::string_view UsageDetails =
    "\n"
    "eval computes the machine's output for the values X and Y (1..9) and, with\n"
    "3 variables (the default), Z (1..9); with 2 variables Z is optional (0..9,\n"
    "default 0) and is the stored third value. It prints the output (-10000 when\n"
    "there is none), 1 or 0 for a formula error, and the position where the\n"
    "evaluation stopped (0 when it read the formula to its end or did not run).\n"
    "--task N chooses built-in task N (1..20); --formula TEXT evaluates TEXT (its\n"
    "first 60 characters) as an own task.\n"
    "\n"
    "eval --batch reads lines \"VARS X Y Z TEXT\" from standard input and answers\n"
    "each with the same line as eval, TEXT being the formula of an own task.\n"
    "\n"
    "table prints \"X Y Z OUTPUT\" (\"X Y OUTPUT\" with 2 variables) for every\n"
    "combination of values.\n";

constexpr int32_t OwnTaskNumber = FirstOwnTask; // any number above the built-in ones

// A whole number written with decimal digits only, small enough for int32.
std::optional<int32_t> ParseNumber(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.front() == '-')
        return std::nullopt;
    return value;
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted += '\'';
    return quoted;
}

// What eval and table were asked to compute.
struct Request {
    int32_t Variables = 3;
    std::optional<int32_t> Task;
    std::optional<std::string> Formula;
    std::optional<std::string> ExtraFile;
    bool Batch = false;
    std::vector<std::string> Operands;
};

bool LooksLikeOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-' && !(argument[1] >= '0' && argument[1] <= '9');
}

// Reads the options and operands of eval (batchAllowed) or table. On bad
// input reports through Fail and returns false.
// One option with its value, into the request; false (and the message)
// when the value does not fit the option or the option came before.
bool ApplyOption(const std::string& option, const std::string& value, Request& request,
                 bool& varsGiven, std::ostream& err) {
    const bool repeated =
        (option == "--vars" && varsGiven) || (option == "--task" && request.Task) ||
        (option == "--formula" && request.Formula) || (option == "--extra" && request.ExtraFile);
    if (repeated) {
        Fail(err, "option " + option + " given twice");
        return false;
    }
    if (option == "--vars") {
        const auto vars = ParseNumber(value);
        if (vars != 2 && vars != 3) {
            Fail(err, "the number of variables must be 2 or 3, not " + Quoted(value));
            return false;
        }
        request.Variables = *vars;
        varsGiven = true;
    } else if (option == "--task") {
        const auto task = ParseNumber(value);
        if (!task || *task < 1 || *task > LastOwnTask) {
            Fail(err, "the task number must be 1.." + std::to_string(BuiltInTasks) + ", not " +
                          Quoted(value));
            return false;
        }
        if (*task > BuiltInTasks) {
            Fail(err, "task " + value + " is an own task: give its formula with --formula");
            return false;
        }
        request.Task = *task;
    } else if (option == "--formula") {
        request.Formula = value;
    } else {
        request.ExtraFile = value;
    }
    return true;
}

// A request names its rule once: by --task or by --formula; a batch takes
// everything from its input.
bool RequestIsComplete(const std::vector<std::string>& arguments, const Request& request,
                       std::ostream& err) {
    if (request.Batch) {
        if (arguments.size() != 1) {
            Fail(err, "eval --batch takes no other options or operands");
            return false;
        }
        return true;
    }
    if (request.Task && request.Formula) {
        Fail(err, "give either --task or --formula, not both");
        return false;
    }
    if (!request.Task && !request.Formula) {
        Fail(err, "give the task with --task N or --formula TEXT");
        return false;
    }
    return true;
}

bool ParseRequest(const std::vector<std::string>& arguments, bool batchAllowed, Request& request,
                  std::ostream& err) {
    bool varsGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!LooksLikeOption(argument)) {
            request.Operands.push_back(argument);
            continue;
        }
        if (argument == "--batch" && batchAllowed) {
            request.Batch = true;
            continue;
        }
        const bool takesValue = argument == "--vars" || argument == "--task" ||
                                argument == "--formula" || argument == "--extra";
        if (!takesValue) {
            Fail(err, "unknown option " + Quoted(argument));
            return false;
        }
        if (i + 1 >= arguments.size()) {
            Fail(err, "option " + argument + " needs a value");
            return false;
        }
        if (!ApplyOption(argument, arguments[++i], request, varsGiven, err))
            return false;
    }
    return RequestIsComplete(arguments, request, err);
}

// Puts the engine into the state that the request describes.
bool PrepareEngine(const Request& request, std::ostream& err) {
    ResetEngineState();
    if (request.ExtraFile && !LoadExtraOption(*request.ExtraFile, err))
        return false;
    if (request.Task) {
        CurrentTask = *request.Task;
    } else {
        CurrentTask = OwnTaskNumber;
        CurrentFormula = request.Formula->substr(0, MaxFormulaLength);
    }
    NumberOfVariables = request.Variables;
    return true;
}

// The machine's output with the request's number of variables (an extra
// task may change the number for the following calls).
int32_t Evaluate(int32_t variables, int32_t x, int32_t y, int32_t z) {
    NumberOfVariables = variables;
    return MachineOutput(x, y, z);
}

void AppendNumber(std::string& out, int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendResult(std::string& out, int32_t output) {
    AppendNumber(out, output);
    out += FormulaError ? " 1 " : " 0 ";
    AppendNumber(out, LastErrorPosition);
    out += '\n';
}

struct ValueLimits {
    std::string_view Name;
    int32_t Lowest, Highest;
};

std::optional<int32_t> ParseValue(std::string_view text, const ValueLimits& limits,
                                  std::string& why) {
    const auto value = ParseNumber(text);
    if (!value || *value < limits.Lowest || *value > limits.Highest) {
        why = std::string(limits.Name) + " must be a whole number from " +
              std::to_string(limits.Lowest) + " to " + std::to_string(limits.Highest) + ", not " +
              Quoted(text);
        return std::nullopt;
    }
    return value;
}

constexpr ValueLimits XLimits{"X", 1, 9};
constexpr ValueLimits YLimits{"Y", 1, 9};
ValueLimits ZLimits(int32_t variables) {
    // With 2 variables Z is only the stored third value; 0 is what it holds
    // before any 3-variable experiment.
    return variables == 3 ? ValueLimits{"Z", 1, 9} : ValueLimits{"Z", 0, 9};
}

int RunEval(const Request& request, std::ostream& out, std::ostream& err) {
    const std::size_t needed = request.Variables == 3 ? 3 : 2;
    if (request.Operands.size() < needed)
        return Fail(err, request.Variables == 3 ? "eval needs the values X Y Z"
                                                : "eval needs the values X Y [Z]");
    if (request.Operands.size() > 3)
        return Fail(err, "extra operand " + Quoted(request.Operands[3]));
    std::string why;
    const auto x = ParseValue(request.Operands[0], XLimits, why);
    const auto y = x ? ParseValue(request.Operands[1], YLimits, why) : std::nullopt;
    std::optional<int32_t> z = 0;
    if (y && request.Operands.size() == 3)
        z = ParseValue(request.Operands[2], ZLimits(request.Variables), why);
    if (!x || !y || !z)
        return Fail(err, why);
    if (!PrepareEngine(request, err))
        return ExitBadInput;
    std::string line;
    AppendResult(line, Evaluate(request.Variables, *x, *y, *z));
    out << line;
    return ExitOk;
}

int RunTable(const Request& request, std::ostream& out, std::ostream& err) {
    if (!request.Operands.empty())
        return Fail(err, "table takes no values: extra operand " + Quoted(request.Operands[0]));
    if (!PrepareEngine(request, err))
        return ExitBadInput;
    const bool three = request.Variables == 3;
    std::string text;
    for (int32_t x = 1; x <= 9; ++x) {
        for (int32_t y = 1; y <= 9; ++y) {
            for (int32_t z = three ? 1 : 0; z <= (three ? 9 : 0); ++z) {
                const int32_t output = Evaluate(request.Variables, x, y, z);
                AppendNumber(text, x);
                text += ' ';
                AppendNumber(text, y);
                text += ' ';
                if (three) {
                    AppendNumber(text, z);
                    text += ' ';
                }
                AppendNumber(text, output);
                text += '\n';
            }
        }
    }
    out << text;
    return ExitOk;
}

// One line "VARS X Y Z TEXT": the four numbers separated by single blanks,
// then, after one more blank, the formula up to the end of the line.
struct BatchLine {
    int32_t Variables, X, Y, Z;
    std::string_view Formula;
};

std::optional<BatchLine> ParseBatchLine(std::string_view line, std::string& why) {
    std::string_view fields[4];
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        fields[i] = line.substr(at, end - at);
        if (fields[i].empty() || (i < 3 && end == line.size())) {
            why = "expected \"VARS X Y Z TEXT\", got " + Quoted(line);
            return std::nullopt;
        }
        at = end + 1;
    }
    BatchLine parsed{};
    const auto vars = ParseNumber(fields[0]);
    if (vars != 2 && vars != 3) {
        why = "VARS must be 2 or 3, not " + Quoted(fields[0]);
        return std::nullopt;
    }
    parsed.Variables = *vars;
    const auto x = ParseValue(fields[1], XLimits, why);
    const auto y = x ? ParseValue(fields[2], YLimits, why) : std::nullopt;
    const auto z = y ? ParseValue(fields[3], ZLimits(parsed.Variables), why) : std::nullopt;
    if (!z)
        return std::nullopt;
    parsed.X = *x;
    parsed.Y = *y;
    parsed.Z = *z;
    parsed.Formula = at < line.size() ? line.substr(at) : std::string_view{};
    return parsed;
}

// Each line is an own task of its own; answers come in the order of the lines.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err) {
    ResetEngineState();
    CurrentTask = OwnTaskNumber;
    std::string line, answers;
    long lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back(); // a line ended by CR LF
        std::string why;
        const auto parsed = ParseBatchLine(line, why);
        if (!parsed) {
            out << answers << std::flush;
            return Fail(err, "line " + std::to_string(lineNumber) + ": " + why);
        }
        CurrentFormula.assign(parsed->Formula.substr(0, MaxFormulaLength));
        AppendResult(answers, Evaluate(parsed->Variables, parsed->X, parsed->Y, parsed->Z));
        if (answers.size() > 1 << 16) {
            out << answers;
            answers.clear();
        }
    }
    out << answers;
    return ExitOk;
}

} // namespace

int Run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
        std::ostream& err) {
    if (arguments.empty())
        return Fail(err, "missing command; try 'kolvane-tasks --help'");
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "--help" || command == "-h") {
        out << Usage << FileCommandsUsage() << UsageDetails;
        return ExitOk;
    }
    if (command == "eval" || command == "table") {
        Request request;
        if (!ParseRequest(rest, command == "eval", request, err))
            return ExitBadInput;
        if (request.Batch)
            return RunBatch(in, out, err);
        return command == "eval" ? RunEval(request, out, err) : RunTable(request, out, err);
    }
    if (IsFileCommand(command))
        return RunFileCommand(command, rest, in, out, err);
    return Fail(err, "unknown command " + Quoted(command) + "; try 'kolvane-tasks --help'");
}

} // namespace KolvaneTasks
