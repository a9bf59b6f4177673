// SPDX-License-Identifier: GPL-3.0-or-later
// kolvane-tasks's file commands run as a program: the files they write and
// read, and their refusals.
#include "catalogue/native_files.h"
#include "catalogue/task_catalogue.h"
#include "tools/run_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Ran = KolvTest::RunResult;
using KolvTest::FileText;

class FileCommands : public ::testing::Test {
protected:
    std::filesystem::path dir;

    void SetUp() override { dir = KolvTest::NewScratchFolder("kolvane-files"); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Path(const std::string& name) const {
        return KolvErkl::NativeFiles::NameOf(dir / KolvErkl::NativeFiles::PathOf(name));
    }

    Ran Run(const std::vector<std::string>& arguments) {
        return KolvTest::RunProgram(KOLVANE_TASKS_EXE, arguments, "", dir);
    }

    // A text file of formula lines x+100, x+200, ... (count lines).
    std::string FormulaLines(int count, const std::string& name = "formulas.txt") {
        std::ofstream out(Path(name), std::ios::binary);
        for (int k = 1; k <= count; ++k)
            out << "x+" << k * 100 << "\n";
        return Path(name);
    }
};

TEST_F(FileCommands, MakeTaskWritesTheRecordTheDefineDialogWouldAndShowReadsIt) {
    const Ran made = Run({"make-task", "--number", "25", "--vars", "2", "--formula", "x*y+1",
                          Path("minopgave.kvn")});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err, "");

    KolvErkl::TaskRecord expected;
    expected.VariableCount = 2;
    expected.TaskNumber = 25;
    expected.Formula.Assign("x*y+1");
    expected.FileName.Assign("Opg25.kvn");
    const auto bytes = KolvErkl::EncodeTaskRecord(expected);
    EXPECT_EQ(FileText(Path("minopgave.kvn")), std::string(bytes.begin(), bytes.end()));

    const Ran shown = Run({"show", Path("minopgave.kvn")});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, "Free: 0\nVariableCount: 2\nTaskNumber: 25\nFormula: x*y+1\n"
                         "FileName: Opg25.kvn\n");

    // A record made outside the program keeps each field on its own line.
    expected.FileName.Assign("Opg\n25\t.kvn");
    const auto odd = KolvErkl::EncodeTaskRecord(expected);
    std::ofstream(Path("odd.kvn"), std::ios::binary)
        .write(reinterpret_cast<const char*>(odd.data()), std::streamsize(odd.size()));
    EXPECT_EQ(Run({"show", Path("odd.kvn")}).out,
              "Free: 0\nVariableCount: 2\nTaskNumber: 25\nFormula: x*y+1\n"
              "FileName: Opg\\n25\\t.kvn\n");
}

TEST_F(FileCommands, MakeTaskRefusesWithTheDefineDialogsMessages) {
    std::ofstream(Path("keep.txt")) << "keep";
    struct Row {
        std::vector<std::string> arguments;
        std::string err;
    };
    const std::string file = Path("Opg30.kvn");
    const std::vector<Row> rows = {
        {{"--number", "20", "--formula", "x", file}, "Fejl i opgavenummeret."},
        {{"--number", "x", "--formula", "x", file}, "Fejl i opgavenummeret."},
        {{"--number", "30", "--vars", "2", "--formula", "x+Z", file},
         "Bogstaverne \"q\" og \"z\" kan ikke bruges når der kun er 2 variable"},
        {{"--number", "30", "--formula", "1/(x-x)", file},
         "Der er opstået en fejl i den nye opgave. Indtast forfra."},
        {{"--number", "30", "--formula", "x", Path("keep.txt")},
         Path("keep.txt") + ": Det lykkedes ikke at gemme filen "},
        {{"--number", "30", "--formula", "x", Path("no/such.kvn")},
         Path("no/such.kvn") + ": Det lykkedes ikke at gemme filen "},
        {{"--number", "30", "--vars", "4", "--formula", "x", file},
         "the number of variables must be 2 or 3, not '4'"},
        {{"--number", "30", file}, "make-task needs --number N, --formula TEXT and FILE"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> arguments{"make-task"};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        const Ran ran = Run(arguments);
        EXPECT_EQ(ran.status, 2) << row.err;
        EXPECT_EQ(ran.err, "kolvane-tasks: " + row.err + "\n");
        EXPECT_FALSE(std::filesystem::exists(file)) << row.err;
    }
    EXPECT_EQ(FileText(Path("keep.txt")), "keep");
}

TEST_F(FileCommands, ExtraTaskFilesRoundTripAndDriveEvalAndTable) {
    ASSERT_EQ(Run({"make-extra", FormulaLines(20), Path("ekstra.kvn")}).status, 0);
    const std::string bytes = FileText(Path("ekstra.kvn"));
    ASSERT_EQ(bytes.size(), 20 * KolvErkl::ExtraRecordSize);
    EXPECT_EQ(bytes.substr(0, 3), std::string("\x05\x85\x39", 3)); // "x+100": 120+13, 43+14

    const Ran shown = Run({"show-extra", Path("ekstra.kvn")});
    EXPECT_EQ(shown.status, 0);
    std::string expected;
    for (int k = 1; k <= 20; ++k)
        expected += "x+" + std::to_string(k * 100) + "\n";
    EXPECT_EQ(shown.out, expected);

    // Extra task 5 stands in for the 3-variable rule 5, not for the 2-variable one.
    EXPECT_EQ(Run({"eval", "--extra", Path("ekstra.kvn"), "--task", "5", "1", "2", "3"}).out,
              "501 0 0\n");
    EXPECT_NE(Run({"eval", "--task", "5", "1", "2", "3"}).out, "501 0 0\n");
    EXPECT_NE(
        Run({"eval", "--vars", "2", "--extra", Path("ekstra.kvn"), "--task", "5", "1", "2"}).out,
        "501 0 0\n");
    const Ran table = Run({"table", "--extra", Path("ekstra.kvn"), "--task", "20"});
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.out.substr(0, 15), "1 1 1 2001\n1 1 ");
}

TEST_F(FileCommands, BadExtraTaskFilesAndLinesAreRefusedWithWhere) {
    std::ofstream(Path("long.txt"), std::ios::binary) << "x\ny\n" << std::string(61, '1') << "\n";
    struct Row {
        std::vector<std::string> arguments;
        std::string err;
    };
    const std::vector<Row> rows = {
        {{"make-extra", FormulaLines(19, "19.txt"), Path("e.kvn")},
         Path("19.txt") + ": 19 lines; an extra-task file holds exactly 20 formulas"},
        {{"make-extra", FormulaLines(21, "21.txt"), Path("e.kvn")},
         Path("21.txt") + ": line 21: an extra-task file holds exactly 20 formulas"},
        {{"make-extra", Path("long.txt"), Path("e.kvn")},
         Path("long.txt") + ": line 3: 61 characters; a formula has at most 60"},
        {{"make-extra", FormulaLines(20), Path("e.txt")},
         Path("e.txt") + ": Det lykkedes ikke at gemme filen "},
        {{"show-extra", Path("missing.kvn")}, Path("missing.kvn") + ": Filen findes ikke"},
        {{"eval", "--extra", Path("formulas.txt"), "--task", "1", "1", "1", "1"},
         Path("formulas.txt") + ": Filen findes ikke"},
        {{"show", Path("missing.kvn")}, Path("missing.kvn") + ": Filen findes ikke"},
    };
    for (const Row& row : rows) {
        const Ran ran = Run(row.arguments);
        EXPECT_EQ(ran.status, 2) << row.err;
        EXPECT_EQ(ran.err, "kolvane-tasks: " + row.err + "\n");
        EXPECT_EQ(ran.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(Path("e.kvn")));

    // A file of 19 zero records: a read error for extra tasks, a refused
    // record for an own task.
    std::ofstream(Path("short.kvn"), std::ios::binary) << std::string(19 * 61, '\0');
    const std::vector<std::pair<std::vector<std::string>, std::string>> shortRows = {
        {{"show-extra", Path("short.kvn")}, " Filen kunne ikke læses; fejl nr. 100"},
        {{"table", "--extra", Path("short.kvn"), "--task", "1"},
         " Filen kunne ikke læses; fejl nr. 100"},
        {{"show", Path("short.kvn")}, KolvErkl::BadTaskNumberReason},
    };
    for (const auto& [arguments, message] : shortRows) {
        const Ran ran = Run(arguments);
        EXPECT_EQ(ran.status, 2) << arguments[0];
        EXPECT_EQ(ran.err, "kolvane-tasks: " + Path("short.kvn") + ":" + message + "\n");
    }
}

} // namespace
