// SPDX-License-Identifier: GPL-3.0-or-later
// kolvane-tasks run as a program: what it prints and its exit status for
// good and bad invocations of eval and table.
#include "tools/run_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Result = KolvTest::RunResult;
using KolvTest::FileText;

class KolvaneTasks : public ::testing::Test {
protected:
    void SetUp() override { dir_ = KolvTest::NewScratchFolder("kolvane_tasks_test"); }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    Result Run(const std::vector<std::string>& arguments, const std::string& input = "") {
        return KolvTest::RunProgram(KOLVANE_TASKS_EXE, arguments, input, dir_);
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
        return lines;
    }

    std::filesystem::path dir_;
};

void ExpectBadInput(const Result& r, const std::string& about) {
    EXPECT_EQ(r.status, 2) << about;
    EXPECT_EQ(r.err.rfind("kolvane-tasks: ", 0), 0u) << about << ": " << r.err;
    // One line: no control character but the newline at its end.
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; };
    EXPECT_EQ(std::count_if(r.err.begin(), r.err.end(), control), 1) << about << ": " << r.err;
    EXPECT_TRUE(!r.err.empty() && r.err.back() == '\n') << about;
}

TEST_F(KolvaneTasks, EvalPrintsOutputErrorAndPosition) {
    const struct {
        std::vector<std::string> arguments;
        std::string line;
    } rows[] = {
        {{"eval", "--task", "1", "3", "5", "2"}, "10 0 0"},
        {{"eval", "--vars", "2", "--task", "20", "5", "3"}, "1 0 0"},
        {{"eval", "--vars", "3", "--task", "18", "2", "9", "5"}, "12 0 0"},
        {{"eval", "3", "5", "2", "--task", "1"}, "10 0 0"}, // options after the values
        {{"eval", "--formula", "x + y*z", "3", "5", "2"}, "13 0 0"},
        {{"eval", "--formula", "-x+10", "1", "2", "3"}, "9 0 0"},
        {{"eval", "--formula", "x/(y-y)", "1", "2", "3"}, "-10000 1 7"},
        {{"eval", "--formula", "x))", "1", "2", "3"}, "-10000 0 4"},
        {{"eval", "--formula", "2x", "1", "2", "3"}, "-10000 1 0"},
        {{"eval", "--formula", "10000", "1", "2", "3"}, "-10000 0 0"},
        {{"eval", "--formula", "x" + std::string(59, ' ') + "*9", "4", "2", "3"}, "4 0 0"},
        // With 2 variables Z is the stored third value and defaults to 0.
        {{"eval", "--vars", "2", "--formula", "z", "1", "2", "7"}, "7 0 0"},
        {{"eval", "--vars", "2", "--formula", "z+q", "1", "2"}, "0 0 0"},
        {{"eval", "--vars", "2", "--formula", "k(0)", "1", "2"}, "-10000 1 4"},
        {{"eval", "--vars", "2", "--task", "1", "4", "5", "0"}, "9 0 0"},
    };
    for (const auto& row : rows) {
        const Result r = Run(row.arguments);
        EXPECT_EQ(r.status, 0) << row.arguments[2] << " " << r.err;
        EXPECT_EQ(r.out, row.line + "\n") << row.arguments[2];
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(KolvaneTasks, BadInvocationsSayWhatIsWrong) {
    using Args = std::vector<std::string>;
    const Args rows[] = {
        {},
        {"frobnicate"},
        {"eval"},
        {"eval", "--task", "1"},
        {"eval", "--task", "1", "1", "2"},
        {"eval", "--task", "1", "1", "2", "3", "4"},
        {"eval", "--vars", "2", "--task", "1", "1"},
        {"eval", "--task", "0", "1", "2", "3"},
        {"eval", "--task", "21", "1", "2", "3"},
        {"eval", "--task", "71", "1", "2", "3"},
        {"eval", "--task", "-1", "1", "2", "3"},
        {"eval", "--task", "99999999999", "1", "2", "3"},
        {"eval", "--task", "x", "1", "2", "3"},
        {"eval", "--task"},
        {"eval", "--vars", "4", "--task", "1", "1", "2", "3"},
        {"eval", "--vars", "two", "--task", "1", "1", "2", "3"},
        {"eval", "--task", "1", "--formula", "x", "1", "2", "3"},
        {"eval", "--task", "1", "--task", "2", "1", "2", "3"},
        {"eval", "--vars", "3", "--vars", "2", "--task", "1", "1", "2", "3"},
        {"eval", "--task", "1", "0", "2", "3"},
        {"eval", "--task", "1", "1", "10", "3"},
        {"eval", "--task", "1", "1", "2", "0"}, // z 0 only with 2 variables
        {"eval", "--vars", "2", "--task", "1", "1", "2", "10"},
        {"eval", "--task", "1", "-1", "2", "3"},
        {"eval", "--task", "1", "+1", "2", "3"},
        {"eval", "--task", "1", "1.0", "2", "3"},
        {"eval", "--task", "1", "", "2", "3"},
        {"eval", "--nope", "--task", "1", "1", "2", "3"},
        {"eval", "-x", "--task", "1", "1", "2", "3"},
        {"eval", "--batch", "--task", "1"},
        {"eval", "--batch", "1"},
        {"table"},
        {"table", "--task", "1", "1"},
        {"table", "--batch"},
        {"table", "--vars", "1", "--formula", "x"},
        // Control characters in what the message quotes.
        {"eval", "--vars", "2\nkolvane-tasks: ok", "--task", "1", "1", "2"},
        {"fr\x1b[2Job\r\t"},
        {"show", "a\nb.kvn"},
    };
    for (const Args& arguments : rows) {
        std::string about;
        for (const std::string& a : arguments)
            about += a + " ";
        const Result r = Run(arguments);
        ExpectBadInput(r, about);
        EXPECT_EQ(r.out, "") << about;
    }
}

TEST_F(KolvaneTasks, ControlCharactersInAMessageAreEscaped) {
    EXPECT_EQ(Run({"eval", "--vars", "2\n\r\t\x1b\x7f"}).err,
              "kolvane-tasks: the number of variables must be 2 or 3, not "
              "'2\\n\\r\\t\\x1b\\x7f'\n");
}

TEST_F(KolvaneTasks, HelpGoesToStandardOutput) {
    const Result r = Run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("kolvane-tasks eval --batch"), std::string::npos);
    EXPECT_NE(r.out.find("kolvane-tasks table"), std::string::npos);
    EXPECT_EQ(r.err, "");
}

TEST_F(KolvaneTasks, ManualPageNamesTheCommandsAndOptionsOfHelp) {
    // Commands as "kolvane-tasks WORD", options as "--word"; roff writes a
    // hyphen-minus as "\-".
    auto names = [](std::string text) {
        for (std::size_t at; (at = text.find("\\-")) != std::string::npos;)
            text.erase(at, 1);
        const std::regex name(R"(kolvane-tasks ([a-z][a-z-]*)|--[a-z]+)");
        std::set<std::string> found;
        for (std::sregex_iterator it(text.begin(), text.end(), name), end; it != end; ++it)
            found.insert((*it)[1].matched ? (*it)[1].str() : it->str());
        return found;
    };
    const Result help = Run({"--help"});
    const std::set<std::string> fromHelp = names(help.out);
    EXPECT_EQ(names(FileText(KOLVANE_SOURCE_DIR "/resources/man/kolvane-tasks.1")), fromHelp);
    EXPECT_TRUE(fromHelp.count("make-task") && fromHelp.count("--formula"));
}

TEST_F(KolvaneTasks, TableRunsXOutermostThenYThenZ) {
    Result r = Run({"table", "--task", "17"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 729u);
    std::size_t i = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            for (int z = 1; z <= 9; ++z)
                ASSERT_EQ(lines[i++], std::to_string(x) + " " + std::to_string(y) + " " +
                                          std::to_string(z) + " " +
                                          std::to_string(x + 2 * y + 3 * z));

    r = Run({"table", "--vars", "2", "--task", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 81u);
    i = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            ASSERT_EQ(lines[i++],
                      std::to_string(x) + " " + std::to_string(y) + " " + (x > y ? "1" : "0"));
}

TEST_F(KolvaneTasks, TableOfAFormula) {
    Result r = Run({"table", "--formula", "x/(y-z)"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 729u);
    EXPECT_EQ(lines[0], "1 1 1 -10000");
    EXPECT_EQ(lines[1], "1 1 2 -1");
    EXPECT_EQ(lines[728], "9 9 9 -10000");

    // With 2 variables z stays 0.
    r = Run({"table", "--vars", "2", "--formula", "10*x+y+z"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out).at(80), "9 9 99");
}

TEST_F(KolvaneTasks, BatchAnswersEveryLineInOrder) {
    const std::string input = "3 3 5 1 x+y\n"
                              "2 4 9 7 p*r\n"
                              "2 4 9 7 z\n"
                              "3 1 2 3 \n"
                              "3 1 2 3\n"
                              "3 1 2 3 x  +  y\n"
                              "3 1 1 1 j(0)\n"
                              "3 1 2 3 x))\n"
                              "3 1 2 3 x)\r(y\n"
                              "3 1 2 3 x+y\r\n" // a line ended by CR LF
                              "3 1 2 3\r\n"
                              "2 1 2 0 k(0)"; // no newline at the end
    const Result r = Run({"eval", "--batch"}, input);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "8 0 0\n36 0 0\n7 0 0\n-10000 1 0\n-10000 1 0\n3 0 0\n-10000 1 4\n"
                     "-10000 0 4\n1 0 0\n3 0 0\n-10000 1 0\n-10000 1 4\n");
}

TEST_F(KolvaneTasks, BatchStopsAtAMalformedLine) {
    const std::string malformed[] = {
        "4 1 2 3 x", "3 1 2",    "3  1 2 3 x", "3 1 2 0 x", "2 1 2 10 x", "",
        "3 a 2 3 x", "3 1 2 3x", " 3 1 2 3 x", "3 0 2 3 x", "3 1 2\r\r",  "3 1 2 3\tx\x1b",
    };
    for (const std::string& line : malformed) {
        const Result r = Run({"eval", "--batch"}, "3 1 2 3 x\n" + line + "\n3 1 2 3 y\n");
        ExpectBadInput(r, line);
        EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "1 0 0\n") << line;
    }
}

TEST_F(KolvaneTasks, BatchIsFastForManyLines) {
    std::string input, expected;
    for (int round = 0; round < 20; ++round)
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                for (int z = 1; z <= 9; ++z) {
                    input += "3 " + std::to_string(x) + " " + std::to_string(y) + " " +
                             std::to_string(z) + " s(x*y*z+" + std::to_string(round) + ")\n";
                    expected += std::to_string((x * y * z + round) % 10) + " 0 0\n";
                }
    const auto start = std::chrono::steady_clock::now();
    const Result r = Run({"eval", "--batch"}, input);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected);
}

} // namespace
