// zellwerk-cli end to end: the built program run on small files.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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

    // Runs the tool with `args`; its output goes to `target` when given (then `out` stays empty).
    Result Exec(const std::string& args, const std::string& input = "",
                const std::string& target = "") {
        return Shell(std::string(ZW_CLI_PATH) + " " + args + " <'" + File("stdin.txt", input) + "'",
                     target);
    }

    // Runs a shell command that may pipe into or out of the tool.
    Result Shell(const std::string& command, const std::string& target = "") {
        const std::string out = target.empty() ? (dir_ / "stdout.txt").string() : target;
        const std::string err = (dir_ / "stderr.txt").string();
        const std::string line = "{ " + command + "; } >'" + out + "' 2>'" + err + "'";
        Result run;
        const int raw = std::system(line.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        if (target.empty())
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

// The largest resident size of any program the tests have run so far, in megabytes.
long PeakChildMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024;
}

// Starts the tool with its output on a pipe and reads `lines` lines while it still runs, for at
// most `patience`; then stops it. What came in that time.
std::string ReadWhileRunning(const std::vector<std::string>& args, int lines,
                             std::chrono::seconds patience) {
    int fds[2];
    if (pipe(fds) != 0)
        return "pipe failed";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<std::string> words{ZW_CLI_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, ZW_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (spawned == 0 && std::count(text.begin(), text.end(), '\n') < lines) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{fds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buffer[4096];
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (spawned == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return text;
}

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
    // Most Schwer puzzles rate normal: the help must not promise otherwise.
    EXPECT_NE(help.out.find("one solution, not a need for search"), std::string::npos);
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

    // Standard input, alone or as "-" among files; a file that cannot be read is reported
    // with the reason and exits 2.
    EXPECT_EQ(Exec("rate", std::string(kHard) + "\n").out, "hard\n");
    const Result mixed = Exec("rate '" + file + "' missing.txt -", std::string(kSolved) + "\n");
    EXPECT_EQ(mixed.status, 2);
    EXPECT_EQ(mixed.out, Lines({"hard", "hard", "normal"}));
    EXPECT_NE(mixed.err.find("missing.txt: cannot read the file: No such file or directory"),
              std::string::npos)
        << mixed.err;
    const std::string locked = File("locked.txt", std::string(kHard) + "\n");
    fs::permissions(locked, fs::perms::none);
    struct Unreadable {
        std::string path, reason;
    };
    std::vector<Unreadable> unreadable{{dir_.string(), "Is a directory"},
                                       {(dir_ / "gone.sudoku").string(), "No such file"}};
    if (geteuid() != 0)  // root reads any file
        unreadable.push_back({locked, "Permission denied"});
    for (const auto& [path, reason] : unreadable) {
        const Result refused = Exec("rate '" + path + "'");
        EXPECT_EQ(refused.status, 2) << path;
        EXPECT_NE(refused.err.find("cannot read the file: " + reason), std::string::npos)
            << refused.err;
    }
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
    // hard puzzle, then a line too short to count. Other characters than digits are blanks, as
    // the window's commands see them after their first log line.
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

    // A "0" there is a placed 0 that breaks the rules, not a blank as in a puzzle line.
    last[9] = '0';  // row 0, column 1
    const std::string zero = File("zero.sudoku", last + "10:00:02\tEingabe ok.\r\n");
    struct {
        const char* command;
        std::string answer;
    } const kBroken[] = {{"solve", "no solution\n"}, {"rate", "none\n"}, {"count", "0\n"}};
    for (const auto& [command, answer] : kBroken)
        EXPECT_EQ(Exec(std::string(command) + " '" + zero + "'").out, answer) << command;
    const Result logic = Exec("solve --logic-only '" + zero + "'");
    ASSERT_EQ(logic.out.size(), 82u);
    EXPECT_EQ(logic.out[1], '0') << logic.out;

    const Result empty = Exec("rate '" + File("empty.sudoku", "short\r\n") + "'");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("empty.sudoku"), std::string::npos) << empty.err;
}

// Puzzles apart by LF, CR LF or a lone CR, after a byte-order mark, in a file and on standard
// input: every one answered.
TEST_F(Cli, AcceptsEveryLineEndAndAByteOrderMark) {
    const std::string content = "\xEF\xBB\xBF" + std::string(kHard) + "\r" + std::string(kSolved) +
                                "\r\n" + std::string(kNoSolution) + "\n" +
                                std::string(kTwoSolutions);
    const Result run = Exec("rate '" + File("ends.txt", content) + "' -", content);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              Lines({"hard", "normal", "none", "multiple", "hard", "normal", "none", "multiple"}));
}

// Lost output is a failure with the reason, whether a little or a lot was to be written.
TEST_F(Cli, OutputThatCannotBeWrittenFailsAndSaysWhy) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    std::string many;
    for (int i = 0; i < 2000; ++i)
        (many += kSolved) += '\n';
    const std::string file = File("many.txt", many);
    for (const std::string& args : {std::string("generate --count 5 --seed 1"),
                                    "solve --threads 2 '" + file + "'", std::string("--help")}) {
        const Result run = Exec(args, "", "/dev/full");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("cannot write the output: No space left on device"),
                  std::string::npos)
            << args << ": " << run.err;
    }
}

// Generation streams its puzzles in order on any number of threads, in little memory, even when
// asked for as many as the option allows.
TEST_F(Cli, GenerateStreamsInBoundedMemory) {
    const Result one = Exec("generate --count 300 --seed 9 --threads 1");
    ASSERT_EQ(one.status, 0) << one.err;
    const Result endless = Shell(std::string(ZW_CLI_PATH) +
                                 " generate --count 2147483647 --seed 9 --threads 2 | head -n 300");
    EXPECT_TRUE(endless.out == one.out) << endless.out.size() << " bytes: " << endless.err;
    EXPECT_LT(PeakChildMegabytes(), 64);
}

// A line without an end is skipped in bounded memory, and the puzzle after it still answered.
TEST_F(Cli, AHugeLineIsSkippedInBoundedMemory) {
    const Result run = Shell("{ head -c 200000000 /dev/zero; printf '\\n%s\\n' " +
                             std::string(kHard) + "; } | " + ZW_CLI_PATH + " count --limit 2");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1\n");
    EXPECT_NE(run.err.find("<stdin>:1: byte 0x00 at column 1"), std::string::npos) << run.err;
    EXPECT_LT(PeakChildMegabytes(), 64);
}

// Answers come out while a later puzzle is still being worked on: here an empty board, whose
// solutions take longer to count than any test may run.
TEST_F(Cli, AnswersDoNotWaitForASlowPuzzleAfterThem) {
    const std::string_view kinds[] = {kHard, kSolved, kNoSolution, kTwoSolutions};
    std::string content, expected;
    for (int i = 0; i < 20; ++i) {
        (content += kinds[i % 4]) += '\n';
        expected += std::string(1, "1102"[i % 4]) + '\n';
    }
    const std::string file = File("slow.txt", content + std::string(81, '.') + "\n");
    for (const char* threads : {"1", "2"}) {
        EXPECT_EQ(
            ReadWhileRunning({"count", "--threads", threads, file}, 20, std::chrono::seconds(20)),
            expected)
            << threads << " threads";
    }
}

}  // namespace
}  // namespace zw
