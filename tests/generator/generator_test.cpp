#include <gtest/gtest.h>

#include <algorithm>

#include "board/board_string.h"
#include "generator/thinning.h"
#include "solver/backtracking.h"
#include "solver/logical_solver.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

const std::vector<std::string> kRunLines = {
    "Generierung...", "Generierung... Zahlenfeld leeren ...", "Generierung... SuDoKu suchen ...",
    "Generierung... Überflüssige Zahlen löschen ..."};

// The generator's own lines, without the solver's "Lösen..." lines.
std::vector<std::string> GeneratorLines(const FormFixture& f) {
    std::vector<std::string> out;
    for (const std::string& line : f.LogMessages()) {
        if (line.rfind("Generierung", 0) == 0)
            out.push_back(line);
    }
    return out;
}

std::int64_t Solutions(const std::string& board) {
    Grid grid;
    SetSuDoKuString(grid, board);
    bool cancel = false;
    NoEventPump pump;
    MersenneRandom random;
    SolverContext ctx{grid, cancel, pump, {}, random};
    std::string list;
    return myBT(ctx, list, {.max = 2});
}

bool SolvesLogically(const std::string& board) {
    Grid grid;
    SetSuDoKuString(grid, board);
    bool cancel = false;
    NoEventPump pump;
    MersenneRandom random;
    SolverContext ctx{grid, cancel, pump, {}, random};
    return SolveLogical(ctx);
}

// Runs `act` at the pump call that comes `after` calls after the log line `line` has been
// appended for the `nth` time.
struct ActAfterLine final : WindowListener {
    ActAfterLine(FormFixture& fixture, std::string l, int n, int a)
        : f(fixture), line(std::move(l)), nth(n), after(a) {}
    void LogAppended() override {
        const auto messages = f.LogMessages();
        if (messages.back() == line && --nth == 0)
            f.mp.events.actAt = f.mp.events.calls + after;
    }
    void LogReset() override {}
    void LogSelected(int) override {}
    void LogVisibilityChanged() override {}
    void BusyChanged() override {}
    FormFixture& f;
    std::string line;
    int nth, after;
};

TEST(Thinning, RoundsHalfwayValuesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.0), 0);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(0.5000001), 1);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.49), 3);
    EXPECT_EQ(RoundHalfEven(7.5), 8);
    EXPECT_EQ(RoundHalfEven(7.9999), 8);
}

TEST(Generate, NormalFromTheDialogReachesTheWantedCountAndLogsEveryStep) {
    FormFixture f;
    f.mp.clock.step = 0.25;
    f.mp.dialogs.makeSuDoKu = [](MakeSuDoKuOptions& o) {
        EXPECT_FALSE(o.hard);
        EXPECT_EQ(o.fields, 45);
        o.fields = 10;
        return true;
    };
    f.form.mSuDoKu_Generate_Click();
    const std::string board = GetSuDoKuString(f.form.Matrix);
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 10);
    EXPECT_TRUE(SolvesLogically(board));
    std::vector<std::string> expected = kRunLines;
    expected.push_back("Generierung fertig nach 0,25 Sekunden.");
    EXPECT_EQ(f.LogMessages(), expected) << "Normal tests log nothing of their own";
    EXPECT_EQ(f.mp.wait.titles, std::vector<std::string>{"SuDoKu generieren ..."});
    EXPECT_FALSE(f.mp.wait.loaded);
    // Seeded from the clock at the start and again when the thinning starts.
    EXPECT_GE(f.mp.clock.seeds, 2u);
    // The complete grid stands in the log, and the puzzle is cut from it.
    const std::string grid(f.form.mySnapshots[3]);
    EXPECT_EQ(grid.find(' '), std::string::npos);
    for (int k = 0; k < 81; ++k)
        EXPECT_TRUE(board[k] == ' ' || board[k] == grid[k]);

    // The next run starts from another seed and makes another puzzle.
    f.form.mSuDoKu_Generate_Click();
    EXPECT_NE(GetSuDoKuString(f.form.Matrix), board);
}

TEST(Generate, CancellingTheDialogChangesNothing) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "4");
    f.mp.dialogs.makeSuDoKu = [](MakeSuDoKuOptions&) { return false; };
    f.form.mSuDoKu_Generate_Click();
    EXPECT_EQ(f.form.List1.ListCount(), 0u);
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "4");
    EXPECT_TRUE(f.mp.wait.titles.empty());
    EXPECT_FALSE(f.mp.wait.visible);
    EXPECT_TRUE(f.form.mySaved);
}

TEST(Generate, HardPuzzlesHaveOneSolutionAndLogTheirTests) {
    FormFixture f;
    f.form.GenerateNewSuDoKu(2, 55, false);
    const std::string board = GetSuDoKuString(f.form.Matrix);
    EXPECT_LE(CountOpenCells(f.form.Matrix), 55);
    EXPECT_GE(CountOpenCells(f.form.Matrix), 40);
    EXPECT_EQ(Solutions(board), 1);
    const auto lines = f.LogMessages();
    EXPECT_GT(std::count(lines.begin(), lines.end(), "Lösen... Lösung gefunden (1)."),
              CountOpenCells(f.form.Matrix) - 1);
    EXPECT_EQ(lines.back().rfind("Generierung fertig nach ", 0), 0u);
    EXPECT_TRUE(f.mp.wait.titles.empty()) << "no wait window without showBusy";
}

TEST(Generate, CancelDuringTheSearchLeavesAnEmptyBoard) {
    FormFixture f;
    ActAfterLine cancelInSearch(f, "Generierung... SuDoKu suchen ...", 1, 2);
    f.form.SetListener(&cancelInSearch);
    // The wait window's button: set the flag, hide the window.
    f.mp.events.action = [&] {
        f.form.gCancel = true;
        f.mp.wait.visible = false;
    };
    f.mp.dialogs.makeSuDoKu = [](MakeSuDoKuOptions&) { return true; };
    f.form.mSuDoKu_Generate_Click();
    f.form.SetListener(nullptr);
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 81);
    EXPECT_EQ(GeneratorLines(f),
              std::vector<std::string>(kRunLines.begin(), kRunLines.begin() + 3));
    EXPECT_FALSE(f.mp.wait.visible);
    EXPECT_FALSE(f.form.Busy());
}

TEST(Generate, CancelDuringTheThinningKeepsWhatWasRemovedSoFar) {
    for (int degree : {1, 2}) {
        FormFixture f;
        ActAfterLine cancelInThinning(f, kRunLines[3], 1, 6);
        f.form.SetListener(&cancelInThinning);
        f.mp.events.action = [&] { f.form.gCancel = true; };
        f.form.GenerateNewSuDoKu(degree, 55, true);
        f.form.SetListener(nullptr);
        EXPECT_EQ(GeneratorLines(f), kRunLines) << "no final line";
        const int open = CountOpenCells(f.form.Matrix);
        EXPECT_GT(open, 0);
        EXPECT_LT(open, 55);
        const std::string grid(f.form.mySnapshots[3]);
        const std::string board = GetSuDoKuString(f.form.Matrix);
        for (int k = 0; k < 81; ++k)
            EXPECT_TRUE(board[k] == ' ' || board[k] == grid[k]);
        EXPECT_EQ(Solutions(board), 1);
        // A cancel from the menu leaves no wait window behind.
        EXPECT_FALSE(f.mp.wait.visible);
    }
}

// After the fixed pass no single given can go: each was tried once, on a board that only lost
// cells afterwards, and the tests only get harder with fewer givens.
TEST(Thinning, EndsWithAPuzzleFromWhichNoGivenCanGo) {
    for (int degree : {1, 2}) {
        FormFixture f;
        f.form.GenerateNewSuDoKu(degree, 81, false);
        const std::string board = GetSuDoKuString(f.form.Matrix);
        ASSERT_LT(CountOpenCells(f.form.Matrix), 81);
        for (int k = 0; k < 81; ++k) {
            if (board[k] == ' ')
                continue;
            std::string fewer = board;
            fewer[k] = ' ';
            if (degree == 1)
                EXPECT_FALSE(SolvesLogically(fewer)) << k;
            else
                EXPECT_EQ(Solutions(fewer), 2) << k;
        }
        EXPECT_EQ(degree == 1 ? SolvesLogically(board) : Solutions(board) == 1, true);
    }
}

TEST(Thinning, StopsAtOnceWhenTheBoardHasEnoughOpenCells) {
    FormFixture f;
    test::SetRows(f.form.Matrix, std::string(81, '.'));
    bool cancel = false;
    MersenneRandom random;
    SolverContext ctx{f.form.Matrix, cancel, f.mp.events, {}, random};
    RemoveSurplusNumbers(ctx, f.mp.clock, 1, 90, true);  // an empty board has nothing to draw
    RemoveSurplusNumbers(ctx, f.mp.clock, 1, 10, true);
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 81);
}

}  // namespace
}  // namespace zw
