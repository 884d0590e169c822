// zellwerk-cli end to end: the built program run on small files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/test_board.h"

namespace zw {
namespace {

using namespace test;

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out, err;
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zw-cli-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string File(const std::string& name, const std::string& content) {
        std::ofstream(dir_ / name, std::ios::binary) << content;
        return "'" + (dir_ / name).string() + "'";
    }
    // Runs the tool with `args` and `input`; its output goes to `target` when given.
    Result Exec(const std::string& args, const std::string& input = "",
                const std::string& target = "") {
        return Shell(std::string(ZW_CLI_PATH) + " " + args + " <" + File("stdin.txt", input),
                     target);
    }
    // Runs a shell command that may pipe into or out of the tool.
    Result Shell(const std::string& command, const std::string& target = "") {
        const fs::path out = target.empty() ? dir_ / "stdout.txt" : fs::path(target);
        const std::string line = "{ " + command + "; } >'" + out.string() + "' 2>'" +
                                 (dir_ / "stderr.txt").string() + "'";
        const int raw = std::system(line.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, target.empty() ? ReadFile(out) : "",
                ReadFile(dir_ / "stderr.txt")};
    }
    bool Said(const Result& r, const std::string& text) {
        return r.err.find(text) != std::string::npos;
    }
    void ExpectFailure(const Result& r, int status, const std::string& text) {
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_TRUE(Said(r, text)) << r.err;
    }

    fs::path dir_;
};

const std::string_view kKinds[] = {kHard, kSolved, kNoSolution, kTwoSolutions};

std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (auto line : lines)
        (text += line) += '\n';
    return text;
}

TEST_F(Cli, WrongCommandLinesAreRefusedWithAMessage) {
    for (const char* wrong :
         {"", "frobnicate", "solve --fast", "count --limit -1", "rate --threads 0", "solve --cells",
          "generate --fields 82", "generate --count 0", "generate --seed -1", "generate x.txt",
          "booklet --count 501 --output b.pdf", "booklet --count 2", "rate --engine quick",
          "booklet --count 2 --levels leicht,easy --output b.pdf",
          "booklet --count 1 --seed x --output b.pdf"}) {
        const Result run = Exec(wrong);
        EXPECT_EQ(run.status, 2) << wrong;
        EXPECT_TRUE(run.out.empty() && Said(run, "zellwerk-cli")) << wrong;
    }
}

// solve and count agree on every kind of puzzle (rate: below, on a long input).
TEST_F(Cli, SolveRateAndCountAgreeOnEachPuzzleKind) {
    std::string broken(kSolved);
    broken[1] = '1';
    broken[0] = '.';
    EXPECT_EQ(Exec("solve --ordered", Lines({kHard, kSolved, broken, kNoSolution})).out,
              Lines({kHardSolution, kSolved, "no solution", "no solution"}));
    const std::string file =
        File("kinds.txt", Lines({kHard, kSolved, broken, kTwoSolutions, kNoSolution}));
    EXPECT_EQ(Exec("count " + file).out, Lines({"1", "1", "0", "2", "0"}));
    EXPECT_EQ(Exec("count --limit 1 " + file).out, Lines({"1", "1", "0", "1", "0"}));
    EXPECT_EQ(Exec("count --limit 0 " + file).out, Lines({"1", "1", "0", "2", "0"}));  // no limit
    // Without --ordered the search picks at random, but a unique solution is a unique solution.
    EXPECT_EQ(Exec("solve " + file).out.substr(0, 82), std::string(kHardSolution) + "\n");
}

// Bad lines are named by file and line, across batches and files and standard input; every
// line end and a byte-order mark are read; an unreadable file exits 2 with the reason.
TEST_F(Cli, InputOfAnyShapeKeepsOrderAndNamesBadLines) {
    const char* const ratings[] = {"hard", "normal", "none", "multiple"};
    std::string content = "\xEF\xBB\xBF# comment\r\n\n", expected;
    for (int i = 0; i < 4500; ++i) {
        if (i == 4200) {
            content += std::string(kHard).substr(0, 40) + "\n";  // line 4203
            continue;
        }
        content += std::string(kKinds[i % 4]) + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\r\n" : "\n");
        (expected += ratings[i % 4]) += "\n";
    }
    const std::string file = File("long.txt", content);
    const Result run = Exec("rate --threads 2 " + file + " - " + file, content);
    EXPECT_TRUE(run.out == expected + expected + expected) << run.out.size();
    ExpectFailure(run, 1, "long.txt:4203: the line has 40 characters");
    EXPECT_TRUE(Said(run, "<stdin>:4203: the line has 40 characters")) << run.err;
    ExpectFailure(Exec("rate " + file + " '" + (dir_ / "gone.sudoku").string() + "'"), 2,
                  "gone.sudoku: cannot read the file: No such file");
    // Characters next to the digits and '.', read eight at a time and the last one alone.
    std::string slash(kHard), colon(kHard), high(kHard);
    slash[8] = '/', colon[80] = ':', high[41] = '\xAE';  // '.' | 0x80
    const Result edges = Exec("count " + File("edges.txt", slash + "\n" + colon + "\n" + high));
    ExpectFailure(edges, 1, "edges.txt:1: '/' at column 9 is neither");
    EXPECT_TRUE(Said(edges, "edges.txt:2: ':' at column 81 is neither")) << edges.err;
    EXPECT_TRUE(Said(edges, "edges.txt:3: byte 0xAE at column 42 is neither")) << edges.err;
    // A CR LF that the reader's 64 KiB buffer splits is one line end, not two.
    const std::string split = File("split.txt", "#" + std::string(65534, 'x') + "\r\nbad\n");
    ExpectFailure(Exec("count " + split), 1, "split.txt:2: the line has 3 characters");
}

// A puzzle file gives the board of its last log line; a "0" there is a placed 0 that breaks
// the rules, not a blank as in a puzzle line.
TEST_F(Cli, APuzzleFileGivesTheBoardOfItsLastLine) {
    std::string board(81, ' ');
    for (std::size_t i = 0; i < 81; ++i) {
        if (kHard[i] != '.')
            board[(i % 9) * 9 + i / 9] = kHard[i];
    }
    board[1] = '\xE4';  // "ä" in the file's code page: a blank
    const std::string file =
        File("hard.SuDoKu", std::string(81, '1') + "10:00:00\tEingabe ok.\r\n" + board +
                                "10:00:01\tL\xF6sen...\r\nkurz\r\n");
    EXPECT_EQ(Exec("solve --ordered " + file).out, Lines({kHardSolution}));
    board[9] = '0';
    const std::string zero = File("zero.sudoku", board + "10:00:02\tEingabe ok.\r\n");
    EXPECT_EQ(Exec("solve " + zero).out + Exec("rate " + zero).out + Exec("count " + zero).out,
              "no solution\nnone\n0\n");
    EXPECT_EQ(Exec("solve --logic-only " + zero).out[1], '0');
}

// tip and explain answer as the window's tip; check names the faulty step of a puzzle file.
TEST_F(Cli, TipExplainAndCheck) {
    EXPECT_EQ(Exec("tip", Lines({kHard})).out, "Die 4 geh\xC3\xB6rt in Zeile 6, Spalte 2.\n");
    const std::string path = Exec("explain", Lines({kHard})).out;
    EXPECT_EQ(std::count(path.begin(), path.end(), '\n'), 5) << path;
    const std::string good = BoardStringFromRows(kHard) + "10:00:00\tEingabe ok.\r\n";
    std::string bad = good;
    bad[14] = '9';  // row 6, column 2 holds the 4
    EXPECT_EQ(Exec("check " + File("ok.sudoku", good) + " " + File("bad.sudoku", good + bad)).out,
              "ok\n2 Eingabe ok.\n");
}

// A puzzle as a 9 x 9 grid with box lines, as other Sudoku programs write it.
std::string BoxGrid(std::string_view rows) {
    std::string text;
    for (std::size_t r = 0; r < 9; ++r) {
        for (std::size_t c = 0; c < 9; ++c)
            (text += rows[r * 9 + c]) += c == 2 || c == 5 ? " | " : " ";
        text += r == 2 || r == 5 ? "\n------+-------+------\n" : "\n";
    }
    return text;
}

// Grids among the lines are puzzles; the lines of a grid that breaks off are named as before.
// Files of other programs are read as such (their formats: the puzzle text tests).
TEST_F(Cli, GridsAndOtherProgramsFilesAreRead) {
    const std::string input = BoxGrid(kHard) + std::string(kSolved) + "\n" +
                              BoxGrid(kNoSolution).substr(0, 69) + "Seite 2\n" + BoxGrid(kHard);
    const Result run = Exec("rate", input);
    EXPECT_EQ(run.out, Lines({"hard", "normal", "hard"}));
    ExpectFailure(run, 1, "<stdin>:15: the line has 22 characters");
    EXPECT_TRUE(Said(run, "<stdin>:16: the line has 7 characters")) << run.err;
    EXPECT_FALSE(Said(run, "<stdin>:1:")) << run.err;
    const std::string ss = File("leer.ss", "*-----------*\n");  // other programs' files: a .ss
    ExpectFailure(Exec("count " + ss), 1, "leer.ss: the file holds no puzzle");
}

// Lost output is a failure with the reason, whether a little or a lot was to be written.
TEST_F(Cli, OutputThatCannotBeWrittenFailsAndSaysWhy) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    std::string many;
    for (int i = 0; i < 2000; ++i)
        (many += kSolved) += '\n';
    for (const std::string& args :
         {std::string("generate --count 5 --seed 1"), "solve --threads 2 " + File("many.txt", many),
          std::string("--help")}) {
        SCOPED_TRACE(args);
        ExpectFailure(Exec(args, "", "/dev/full"), 2,
                      "cannot write the output: No space left on device");
    }
}

// Output streams in bounded memory: an endless generation cut by head, a huge line skipped.
TEST_F(Cli, StreamsInBoundedMemory) {
    const Result one = Exec("generate --count 300 --seed 9 --threads 1");
    const Result endless = Shell(std::string(ZW_CLI_PATH) +
                                 " generate --count 2147483647 --seed 9 --threads 2 | head -n 300");
    EXPECT_TRUE(endless.out == one.out) << endless.out.size() << " bytes: " << endless.err;
    const Result huge = Shell("{ head -c 200000000 /dev/zero; printf '\\n%s\\n' " +
                              std::string(kHard) + "; } | " + ZW_CLI_PATH + " count --limit 2");
    EXPECT_EQ(huge.out, "1\n");
    ExpectFailure(huge, 1, "<stdin>:1: byte 0x00 at column 1");
    rusage usage{};  // the largest resident size of any program run so far
    getrusage(RUSAGE_CHILDREN, &usage);
    EXPECT_LT(usage.ru_maxrss / 1024, 64) << "megabytes";
}

// Answers come out while a later puzzle is still being worked on: here an empty board, whose
// solutions take longer to count than any test may run.
TEST_F(Cli, AnswersDoNotWaitForASlowPuzzleAfterThem) {
    std::string content, expected;
    for (int i = 0; i < 20; ++i) {
        (content += kKinds[i % 4]) += '\n';
        expected += std::string(1, "1102"[i % 4]) + '\n';
    }
    File("slow.txt", content + std::string(81, '.') + "\n");
    const std::string pid = (dir_ / "pid").string(), file = (dir_ / "slow.txt").string();
    for (const std::string threads : {"1", "2"}) {
        // The tool is stopped once the 20 answers are in; without them, after 20 seconds.
        const Result run = Shell("sh -c 'echo $$ >" + pid + "; exec timeout 20 " + ZW_CLI_PATH +
                                 " count --threads " + threads + " " + file +
                                 "' | { head -n 20; kill $(cat " + pid + "); }");
        EXPECT_EQ(run.out, expected) << threads << " threads";
    }
}

// A seed gives the same puzzles on any number of threads; Schwer ones have one solution and
// Normal ones rate normal.
TEST_F(Cli, GenerateRepeatsItsSeedAndKeepsItsPromises) {
    const Result one = Exec("generate --fields 55 --count 4 --seed 11 --threads 1");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(Exec("generate --fields 55 --count 4 --seed 11 --threads 2").out, one.out);
    EXPECT_NE(Exec("generate --fields 55 --count 4 --seed 12").out, one.out);
    EXPECT_EQ(Exec("rate", one.out).out, "normal\nnormal\nnormal\nnormal\n");
    const Result hard = Exec("generate --hard --fields 55 --count 3 --seed 5");
    EXPECT_EQ(Exec("count --limit 2", hard.out).out, "1\n1\n1\n");
    // The generator's road, its random draws and its seeds, as they have always been.
    EXPECT_EQ(
        Exec("generate --count 2 --seed 42").out,
        "...9.6581...2...37...5....46....21959.71...2.1.3....78...8...5..1672...938965...2\n"
        ".6.43.8.9.3..89..785976....4.5..62.838......66.1.7.4.57.81....49..........6.9.7.3\n");
}

// A booklet with a seed is the same booklet again; one that cannot be written says why.
TEST_F(Cli, BookletWritesTheSamePdfForASeedOrSaysWhyNot) {
    const std::string a = (dir_ / "a.pdf").string(), b = (dir_ / "b.pdf").string();
    const std::string args =
        "booklet --count 3 --levels leicht,schwer --solutions --seed 4 --output ";
    const Result r = Exec(args + a);
    if (r.status == 2 && Said(r, "built without Qt"))
        GTEST_SKIP() << "a build without Qt writes no PDF";
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(Exec(args + b).status, 0);
    const std::string text = Shell("pdftotext " + a + " -").out;
    EXPECT_NE(text.find("Rätsel 3 – Leicht"), std::string::npos) << text;
    EXPECT_NE(text.find("Lösungen"), std::string::npos) << text;
    EXPECT_EQ(Shell("pdftotext " + b + " -").out, text);
    EXPECT_NE(Shell("pdfinfo " + a).out.find("(A4)"), std::string::npos);

    const fs::path missing = dir_ / "fehlt" / "heft.pdf";
    ExpectFailure(Exec("booklet --count 1 --output " + missing.string()), 2,
                  "Das SuDoKu-Heft konnte nicht gespeichert werden. Die Datei \"" +
                      missing.string() + "\" kann nicht geschrieben werden (");
}

}  // namespace
}  // namespace zw
