// zellwerk-cli end to end: the built program run on small files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/test_board.h"

namespace zw {
namespace {

using test::kHard;
using test::kHardSolution;
using test::kNoSolution;
using test::kSolved;
using test::kTwoSolutions;

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out, err;
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zw-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string File(const std::string& name, const std::string& content) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }

    Result Exec(const std::string& args, const std::string& input = "") {
        const std::string in = File("stdin.txt", input);
        const std::string out = (dir_ / "stdout.txt").string();
        const std::string err = (dir_ / "stderr.txt").string();
        const std::string command =
            std::string(ZW_CLI_PATH) + " " + args + " <'" + in + "' >'" + out + "' 2>'" + err + "'";
        Result run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = Slurp(out);
        run.err = Slurp(err);
        return run;
    }

    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir_;
};

std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines)
        (text += line) += '\n';
    return text;
}

TEST_F(Cli, VersionHelpAndWrongCommandLines) {
    EXPECT_EQ(Exec("--version").out, "zellwerk-cli 1.2.0\n");
    const Result help = Exec("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("count [--limit N]"), std::string::npos);
    EXPECT_EQ(Exec("solve --help").status, 0);
    for (const char* wrong : {"", "frobnicate", "solve --fast", "count --limit", "count --limit -1",
                              "rate --threads 0", "solve --cells"}) {
        const Result run = Exec(wrong);
        EXPECT_EQ(run.status, 2) << wrong;
        EXPECT_TRUE(run.out.empty()) << wrong;
        EXPECT_FALSE(run.err.empty()) << wrong;
    }
}

TEST_F(Cli, ReadsPuzzleLinesAndReportsBadOnesWithFileAndLine) {
    const std::string file =
        File("puzzles.txt", "# a comment\n\n" + std::string(kHard) + "  trailing words\r\n" +
                                std::string(kSolved).substr(0, 80) + "\n" +
                                std::string(kHard).replace(3, 1, "x") + "\n" +
                                std::string(kHard).replace(1, 1, "0") + "\n");
    const Result run = Exec("solve --ordered '" + file + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Lines({kHardSolution, kHardSolution}));
    EXPECT_NE(run.err.find("puzzles.txt:4:"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("puzzles.txt:5:"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("puzzles.txt:3:"), std::string::npos) << run.err;

    // Standard input, alone or as "-" among files; a missing file is reported and exits 2.
    EXPECT_EQ(Exec("rate", std::string(kHard) + "\n").out, "hard\n");
    const Result mixed = Exec("rate '" + file + "' missing.txt -", std::string(kSolved) + "\n");
    EXPECT_EQ(mixed.status, 2);
    EXPECT_EQ(mixed.out, Lines({"hard", "hard", "normal"}));
    EXPECT_NE(mixed.err.find("missing.txt"), std::string::npos);
    EXPECT_EQ(Exec("rate '" + dir_.string() + "'").status, 2);
}

TEST_F(Cli, SolveRateAndCountEachPuzzleKind) {
    std::string broken(kSolved);
    broken[1] = '1';
    broken[0] = '.';
    const std::string file =
        File("kinds.txt",
             Lines({kHard, kSolved, broken, kTwoSolutions, kNoSolution,
                    test::ReadPuzzleLines(test::PuzzleFile("qqwing-simple.txt"), 1).at(0)}));
    const Result solve = Exec("solve --ordered '" + file + "'");
    EXPECT_EQ(solve.status, 0);
    std::istringstream lines(solve.out);
    std::vector<std::string> out;
    for (std::string line; std::getline(lines, line);)
        out.push_back(line);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[0], kHardSolution);
    EXPECT_EQ(out[1], kSolved);
    EXPECT_EQ(out[2], "no solution");
    EXPECT_EQ(out[3].find('.'), std::string::npos);
    EXPECT_EQ(out[4], "no solution");
    EXPECT_EQ(Exec("rate '" + file + "'").out,
              Lines({"hard", "normal", "none", "multiple", "none", "normal"}));
    EXPECT_EQ(Exec("count '" + file + "'").out, Lines({"1", "1", "0", "2", "0", "1"}));
    EXPECT_EQ(Exec("count --limit 1 '" + file + "'").out, Lines({"1", "1", "0", "1", "0", "1"}));
    // Without --ordered the search picks at random, but a unique solution is a unique solution.
    EXPECT_EQ(Exec("solve '" + file + "'").out.substr(0, 82), std::string(kHardSolution) + "\n");
}

TEST_F(Cli, LogicOnlyShowsWhatTheLogicLeaves) {
    const std::string file = File("hard.txt", std::string(kHard) + "\n");
    const Result board = Exec("solve --logic-only '" + file + "'");
    ASSERT_EQ(board.out.size(), 82u);
    for (std::size_t i = 0; i < 81; ++i) {
        if (kHard[i] != '.') {
            EXPECT_EQ(board.out[i], kHard[i]) << i;
        }
    }
    EXPECT_NE(board.out.find('.'), std::string::npos);

    const Result cells = Exec("solve --logic-only --cells '" + file + "'");
    std::istringstream lines(cells.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[9], "");
    for (int r = 0; r < 9; ++r) {
        std::vector<std::string> texts;
        std::istringstream fields(rows[r]);
        for (std::string field; std::getline(fields, field, '\t');)
            texts.push_back(field);
        ASSERT_GE(texts.size(), 8u) << rows[r];
        for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
            const char shown = board.out[static_cast<std::size_t>(r * 9 + c)];
            EXPECT_EQ(texts[c].size() == 1, shown != '.') << r << "," << c;
        }
    }
}

TEST_F(Cli, ThreadsKeepTheInputOrder) {
    const auto puzzles = test::ReadPuzzleLines(test::PuzzleFile("multi.txt"), 12);
    ASSERT_EQ(puzzles.size(), 12u);
    std::string content, expected;
    std::ifstream counts = test::OpenPuzzleFile("multi.counts");
    for (const auto& p : puzzles) {
        content += p + "\n";
        std::string count;
        std::getline(counts, count);
        expected += count + "\n";
    }
    const std::string file = File("multi.txt", content);
    EXPECT_EQ(Exec("count --threads 1 '" + file + "'").out, expected);
    EXPECT_EQ(Exec("count --threads 3 '" + file + "'").out, expected);
    EXPECT_EQ(Exec("solve --threads=4 '" + file + "'").out,
              Exec("solve --threads 1 '" + file + "'").out);
}

// An input longer than one batch: every result in input order, and a bad line far down named
// by its own line number, across files and standard input.
TEST_F(Cli, LongInputsKeepOrderAndLineNumbersAcrossBatches) {
    const std::string_view kinds[] = {kHard, kSolved, kNoSolution, kTwoSolutions};
    const char* const ratings[] = {"hard", "normal", "none", "multiple"};
    std::string content, expected;
    for (int i = 0; i < 4500; ++i) {
        if (i == 4200) {
            content += std::string(kHard).substr(0, 40) + "\n";  // line 4201
            continue;
        }
        content += std::string(kinds[i % 4]) + "\n";
        (expected += ratings[i % 4]) += "\n";
    }
    const std::string file = File("long.txt", content);
    const Result run = Exec("rate --threads 2 '" + file + "' - '" + file + "'", content);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out == expected + expected + expected) << run.out.size();
    EXPECT_NE(run.err.find("long.txt:4201: the line has 40 characters"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("<stdin>:4201: the line has 40 characters"), std::string::npos)
        << run.err;
}

TEST_F(Cli, APuzzleFileGivesTheBoardOfItsLastLine) {
    // The board string runs down the columns; the file holds an older board first, then the
    // hard puzzle, then a line too short to count. Non-digits and "0" are blanks.
    std::string board(81, ' ');
    for (std::size_t i = 0; i < 81; ++i) {
        if (kHard[i] != '.')
            board[(i % 9) * 9 + i / 9] = kHard[i];
    }
    std::string last = board;
    last[1] = '\xE4';  // row 1, column 0: "ä" in the file's code page
    const std::string file =
        File("hard.SuDoKu", std::string(81, '1') + "10:00:00\tEingabe ok.\r\n" + last +
                                "10:00:01\tL\xF6sen...\r\nkurz\r\n");
    const Result run = Exec("solve --ordered '" + file + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Lines({kHardSolution}));

    const Result empty = Exec("rate '" + File("empty.sudoku", "short\r\n") + "'");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("empty.sudoku"), std::string::npos) << empty.err;
    EXPECT_EQ(Exec("rate '" + (dir_ / "missing.sudoku").string() + "'").status, 2);
}

}  // namespace
}  // namespace zw
