// zellwerk-cli end to end: the built program run on small files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    // A number out of range is refused with the range it must lie in.
    const std::pair<const char*, const char*> bounds[] = {
        {"generate --seed 9223372036854775808", "from 0 to 9223372036854775807, not '"},
        {"count --limit 99999999999999999999", "from 0 to 9223372036854775807, not '"},
        {"generate --count 2147483648", "from 1 to 2147483647, not '2147483648'"},
        {"booklet --count 0 --output b.pdf", "from 1 to 500, not '0'"},
        {"rate --threads 1025", "from 1 to 1024, not '1025'"}};
    for (const auto& [wrong, range] : bounds)
        ExpectFailure(Exec(wrong), 2, range);
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

// A puzzle file gives the board of its last log line, read as the window reads it: only a blank
// is open, any other character there is placed and breaks the rules, for every command alike.
TEST_F(Cli, APuzzleFileGivesTheBoardOfItsLastLine) {
    const std::string board = BoardStringFromRows(kHard);
    const std::string good = board + "10:00:00\tEingabe ok.\r\n";
    const std::string file =
        File("hard.SuDoKu", std::string(81, '1') + "10:00:00\tEingabe ok.\r\n" + good + "kurz\r\n");
    EXPECT_EQ(Exec("solve --ordered " + file).out, Lines({kHardSolution}));
    for (const char placed : {'0', '.', 'x', '\xE4', '\0'}) {
        std::string changed = board;
        changed[9] = placed;  // row 1, column 2: open in the puzzle
        const std::string game =
            File("placed.sudoku", good + changed + "10:00:01\tL\xF6sen...\r\n");
        std::string answers;
        for (const char* command : {"check", "solve", "rate", "count", "tip"})
            answers += Exec(std::string(command) + " " + game).out;
        EXPECT_EQ(answers,
                  "2 L\xC3\xB6sen...\nno solution\nnone\n0\nRegelbruch: In Zeile 1, "
                  "Spalte 2 steht keine Zahl von 1 bis 9.\n")
            << int(placed);
    }
}

// tip and explain answer as the window's tip; check names the faulty step of a puzzle file.
TEST_F(Cli, TipExplainAndCheck) {
    EXPECT_EQ(Exec("tip", Lines({kHard})).out,
              "Versteckter Einer im Block: In Block 4 passt die 4 nur in Zeile 6, Spalte 2.\n");
    // Each step with its rating, where to look and what follows, to the end.
    const std::string path = Exec("explain", Lines({kHard})).out;
    EXPECT_EQ(path.substr(0, path.find('\n') + 1),
              "[1.2] Versteckter Einer im Block: In Block 4 passt eine Zahl nur an eine Stelle. "
              "In Block 4 passt die 4 nur in Zeile 6, Spalte 2.\n");
    EXPECT_TRUE(path.ends_with("\nDas SuDoKu ist gel\xC3\xB6st.\n\n")) << path;
    const std::string good = BoardStringFromRows(kHard) + "10:00:00\tEingabe ok.\r\n";
    std::string bad = good;
    bad[14] = '9';  // row 6, column 2 holds the 4
    const std::string ok = File("ok.sudoku", good);
    EXPECT_EQ(Exec("check " + ok).out, "ok\n");
    const Result one = Exec("check " + File("bad.sudoku", good + bad));
    EXPECT_EQ(one.out, "2 Eingabe ok.\n");
    EXPECT_EQ(one.status, 1);
    // Several files: each answer is named, and a skipped one shifts none.
    const Result several =
        Exec("check " + ok + " " + File("leer.sudoku", "") + " - " + ok, good + bad);
    EXPECT_EQ(several.out, (dir_ / "ok.sudoku").string() + ": ok\n<stdin>: 2 Eingabe ok.\n" +
                               (dir_ / "ok.sudoku").string() + ": ok\n");
    ExpectFailure(several, 1, "leer.sudoku: the puzzle file holds no board (file skipped)");
}

// check reads games of the window only, and says why it skips anything else.
TEST_F(Cli, CheckRefusesWhatHoldsNoGame) {
    const std::pair<std::string, std::string> refused[] = {
        {File("leer.sudoku", ""), "holds no board"},
        {File("kurz.sudoku", "kurz\r\n" + std::string(80, ' ') + "\r\n"), "holds no board"},
        {File("punkte.sudoku", std::string(kHard) + "\r\n"), "holds no board"},
        {File("utf16.sudoku", "\xFF\xFE 1 2 3"), "is UTF-16 text"},
        {File("top.txt", Lines({kHard, kSolved})), "not a puzzle file of the window (*.sudoku)"},
        {File("grid.sdk", BoxGrid(kHard)), "not a puzzle file of the window (*.sudoku)"}};
    for (const auto& [file, reason] : refused) {
        const Result run = Exec("check " + file);
        ExpectFailure(run, 1, reason);
        EXPECT_TRUE(run.out.empty() && Said(run, "(file skipped)")) << run.out;
    }
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
    // A named file without a puzzle is named; an empty standard input is no mistake.
    std::string utf16 = "\xFF\xFE";
    for (const char ch : std::string(kHard) + "\r\n")
        (utf16 += ch) += '\0';
    const std::pair<std::string, std::string> empty[] = {
        {File("leer.ss", "*-----------*\n"), "leer.ss: the file holds no puzzle"},
        {File("leer.txt", ""), "leer.txt: the file holds no puzzle"},
        {File("notiz.txt", "# nur ein Kommentar\r\n\r\n"), "notiz.txt: the file holds no puzzle"},
        {File("utf16.txt", utf16), "utf16.txt: the file is UTF-16 text"},
        {File("utf16.sdk", utf16), "utf16.sdk: the file is UTF-16 text"}};
    for (const auto& [file, reason] : empty)
        ExpectFailure(Exec("count " + file), 1, reason);
    const Result none = Exec("count");
    EXPECT_EQ(none.status + none.out.size() + none.err.size(), 0u) << none.err;
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

// Puzzles made to a level: the same on any number of threads, each scored as rate --score
// scores it, within the level's band; the four answers of plain rate stay as they were.
TEST_F(Cli, GenerateToALevelAndRateWithTheScore) {
    const Result made = Exec("generate --level schwer --score --count 6 --seed 3 --threads 1");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(Exec("generate --level schwer --score --count 6 --seed 3 --threads 3").out, made.out);
    std::string puzzles, scores;
    std::istringstream lines(made.out);
    for (std::string line; std::getline(lines, line);) {
        puzzles += line.substr(0, 81) + "\n";
        scores += line.substr(82) + "\n";
        const double score = std::stod(line.substr(82));
        EXPECT_TRUE(score >= 2.5 && score <= 4.9) << line;
    }
    EXPECT_EQ(Exec("rate --score", puzzles).out, scores);
    EXPECT_EQ(Exec("count --limit 2", puzzles).out, "1\n1\n1\n1\n1\n1\n");

    const std::string quad =
        "..4.6.5..23.....94..........76...82.....2....1..7.3..6...145...8.......7.91...34.";
    EXPECT_EQ(Exec("rate --score", quad + "\n" + std::string(81, '.') + "\n11" +
                                       std::string(79, '.') + "\n")
                  .out,
              "5.0 Nacktes Quartett\nmultiple\nnone\n");
    EXPECT_EQ(Exec("rate", quad + "\n").out, "hard\n");
    ExpectFailure(Exec("generate --level schwierig"), 2,
                  "zellwerk-cli generate: unknown level 'schwierig'");
    ExpectFailure(Exec("generate --level leicht --hard"), 2, "--level goes without --hard");
}

// A booklet with a seed is the same booklet again; one that cannot be written says why.
TEST_F(Cli, BookletWritesTheSamePdfForASeedOrSaysWhyNot) {
    const std::string a = (dir_ / "a.pdf").string(), b = (dir_ / "b.pdf").string();
    const std::string args =
        "booklet --count 3 --levels leicht,schwer --solutions --seed 4 --output ";
    const Result r = Exec(args + a);
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(Exec(args + b).status, 0);
    const std::string text = Shell("pdftotext " + a + " -").out;
    EXPECT_NE(text.find("Rätsel 3 – Leicht"), std::string::npos) << text;
    EXPECT_NE(text.find("Lösungen"), std::string::npos) << text;
    EXPECT_EQ(Shell("pdftotext " + b + " -").out, text);
    EXPECT_NE(Shell("pdfinfo " + a).out.find("(A4)"), std::string::npos);

    const fs::path missing = dir_ / "fehlt" / "heft.pdf";
    ExpectFailure(
        Exec("booklet --count 1 --output " + missing.string()), 2,
        "zellwerk-cli booklet: cannot write '" + missing.string() + "': No such file or directory");
}

// A booklet goes into what its output names as it is: a FIFO stays a FIFO, standard output
// appended to a file keeps what was there. A run leaves nothing behind but its file and says
// nothing when all went well.
TEST_F(Cli, BookletWritesIntoWhatItIsGiven) {
    const std::string booklet = std::string(ZW_CLI_PATH) + " booklet --count 1 --seed 2 --output ";
    const fs::path fifo = dir_ / "fifo", got = dir_ / "got.pdf", tmp = dir_ / "tmp";
    fs::create_directory(tmp);
    const Result r = Shell("env -u XDG_RUNTIME_DIR TMPDIR='" + tmp.string() + "' " + booklet +
                           (dir_ / "a.pdf").string());
    EXPECT_EQ(r.status + r.err.size(), 0u) << r.err;
    EXPECT_TRUE(fs::is_empty(tmp));
    const Result piped =
        Shell("mkfifo '" + fifo.string() + "' && { cat '" + fifo.string() + "' >'" + got.string() +
              "' & " + booklet + "'" + fifo.string() + "'; wait; }");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(ReadFile(got).substr(0, 5), "%PDF-");
    std::ofstream(got, std::ios::binary) << "keep\n";
    EXPECT_EQ(Shell(booklet + "/dev/stdout >>'" + got.string() + "'").status, 0);
    EXPECT_EQ(ReadFile(got).substr(0, 10), "keep\n%PDF-");
    EXPECT_EQ(Shell(booklet + "- | head -c 5").out, "%PDF-");
}

}  // namespace
}  // namespace zw
