#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "board/board_string.h"
#include "board/rules.h"
#include "platform/random.h"
#include "solver/logical_solver.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::CellTexts;
using test::kHard;  // needs the search
using test::kHardSolution;
using test::kNoSolution;  // only the search shows it
using test::kSolved;
using test::SetRows;

using Lines = std::vector<std::string>;

struct SolveFixture : test::FormFixture {
    SolveFixture() { mp.clock.step = 0.25; }
    std::string Rows() const { return RowsFromBoardString(GetSuDoKuString(form.Matrix)); }
    // Cancels through the menu at the k-th pump call.
    void CancelAt(long long k) {
        mp.events.actAt = mp.events.calls + k;
        mp.events.action = [this] { form.mSuDoKuBeak_Click(); };
    }
};

TEST(SolveCommand, StopsAtBrokenRulesAndSolvedBoards) {
    SolveFixture f;
    const std::string broken = "5...5....";
    SetRows(f.form.Matrix, broken);
    f.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(
        f.LogMessages(),
        (Lines{"Lösen...", "Lösen... Fehler: Die vorhandenen Zahlen brechen die SuDoKu regeln."}));
    EXPECT_EQ(f.Rows().substr(0, 9), "5...5....");

    SolveFixture g;
    SetRows(g.form.Matrix, kSolved);
    g.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(g.LogMessages(), (Lines{"Lösen...", "Lösen... Fehler: SuDoKu bereits gelöst."}));
}

TEST(SolveCommand, LogicFinishesWithoutTheSearch) {
    SolveFixture f;
    const auto puzzle = test::ReadPuzzleLines(test::PuzzleFile("qqwing-simple.txt"), 1);
    ASSERT_EQ(puzzle.size(), 1u);
    SetRows(f.form.Matrix, puzzle[0]);
    f.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(f.LogMessages(), (Lines{"Lösen...", "Lösen fertig nach 0,25s gefunden."}));
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 0);
    EXPECT_TRUE(RulesOk(f.form.Matrix));
    EXPECT_FALSE(f.form.Busy());
}

TEST(SolveCommand, FallsBackToTheSearchFromThePuzzleAsGiven) {
    SolveFixture f;
    SetRows(f.form.Matrix, kHard);
    f.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(f.LogMessages(),
              (Lines{"Lösen...", "Lösen... Lösung nicht eindeutig.",
                     "Lösen... Starte Backtracking nach 0,25s.", "Lösen... Lösung gefunden (1).",
                     "Lösen fertig nach 0,5s gefunden."}));
    EXPECT_EQ(f.Rows(), kHardSolution);
    // The summary line is written before the solution goes onto the board.
    EXPECT_EQ(RowsFromBoardString(f.form.mySnapshots[4]), kHard);
    EXPECT_EQ(RowsFromBoardString(f.form.mySnapshots[3]), kHardSolution);

    SolveFixture g;
    SetRows(g.form.Matrix, kNoSolution);
    g.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(g.LogMessages(), (Lines{"Lösen...", "Lösen... Lösung nicht eindeutig.",
                                      "Lösen... Starte Backtracking nach 0,25s.",
                                      "Lösen... Fehler: SuDoKu kann nicht gelöst werden."}));
    EXPECT_EQ(g.Rows(), kNoSolution);

    // An empty board gets some complete grid.
    SolveFixture e;
    e.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(e.LogMessages().at(1), "Lösen... Lösung nicht eindeutig.");
    EXPECT_EQ(CountOpenCells(e.form.Matrix), 0);
    EXPECT_TRUE(RulesOk(e.form.Matrix));
}

TEST(SolveCommand, CancelStopsQuietlyOrThroughTheFailedSearch) {
    // Cancelled while "Lösen..." is logged: nothing more.
    SolveFixture f;
    SetRows(f.form.Matrix, kHard);
    f.CancelAt(1);
    f.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(f.LogMessages(), (Lines{"Lösen...", "Abbruch"}));
    EXPECT_TRUE(f.form.gCancel);

    // Cancelled in the logic: the search finds nothing and the puzzle comes back.
    SolveFixture g;
    SetRows(g.form.Matrix, kHard);
    g.CancelAt(2);
    g.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(g.LogMessages(), (Lines{"Lösen...", "Abbruch", "Lösen... Lösung nicht eindeutig.",
                                      "Lösen... Starte Backtracking nach 0,25s.",
                                      "Lösen... Fehler: SuDoKu kann nicht gelöst werden."}));
    EXPECT_EQ(g.Rows(), kHard);

    // The next run clears the flag.
    g.mp.events.action = nullptr;
    g.form.mSuDoKu_Loesen_Click();
    EXPECT_EQ(g.Rows(), kHardSolution);
}

TEST(CountAllCommand, CountsMarksGivensRedAndUnmarks) {
    SolveFixture f;
    SetRows(f.form.Matrix, kHard);
    f.form.Matrix.SetTextColour(1, 1, kMarkGrey);
    Colour givenDuringRun = 0, openDuringRun = 1;
    f.mp.events.actAt = 2;
    f.mp.events.action = [&] {
        givenDuringRun = f.form.Matrix.TextColour(0, 0);
        openDuringRun = f.form.Matrix.TextColour(0, 1);
    };
    f.form.mSuDoKuSearchAll_Click();
    EXPECT_EQ(givenDuringRun, kGivenRed);
    EXPECT_EQ(openDuringRun, kDefaultTextColour);
    EXPECT_EQ(f.LogMessages(), (Lines{"Lösen...", "Lösen... Lösung gefunden (1).",
                                      "Lösen fertig (1 Lösungen in 0,25 Sekunden)."}));
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.mp.messages.shown[0].text,
              "Für dieses SuDoKu wurden in 0,25 Sekunden 1 Lösungen gefunden.");
    EXPECT_EQ(f.mp.messages.shown[0].buttons, MsgButtons::Ok);
    for (int i = 0; i < kCellCount; ++i)
        EXPECT_EQ(f.form.Matrix.TextColour(i / 9, i % 9), kDefaultTextColour) << i;
    EXPECT_EQ(f.form.Matrix.Row(), 8);
    EXPECT_EQ(f.form.Matrix.Col(), 8);
    EXPECT_EQ(f.Rows(), kHard);

    // No rule check first: broken rules count 0.
    SolveFixture g;
    SetRows(g.form.Matrix, "55");
    g.form.mSuDoKuSearchAll_Click();
    EXPECT_EQ(g.LogMessages(), (Lines{"Lösen...", "Lösen fertig (0 Lösungen in 0,25 Sekunden)."}));
}

TEST(CountAllCommand, CancelReportsTheCountSoFarAndRestoresTheBoard) {
    SolveFixture f;
    f.CancelAt(300);
    f.form.mSuDoKuSearchAll_Click();
    const Lines log = f.LogMessages();
    const auto abbruch = std::find(log.begin(), log.end(), "Abbruch");
    ASSERT_NE(abbruch, log.end());
    const long found = std::count_if(log.begin(), log.end(), [](const std::string& line) {
        return line.rfind("Lösen... Lösung gefunden (", 0) == 0;
    });
    ASSERT_GT(found, 0);
    EXPECT_EQ(log.back(),
              "Lösen fertig (" + std::to_string(found) + " Lösungen in 0,25 Sekunden).");
    EXPECT_EQ(f.mp.messages.shown.back().text, "Für dieses SuDoKu wurden in 0,25 Sekunden " +
                                                   std::to_string(found) + " Lösungen gefunden.");
    EXPECT_EQ(CellTexts(f.form.Matrix), CellTexts(Grid{}));
}

TEST(CountAllCommand, ElapsedTimesAreDecimalNumbersWithoutAnExponent) {
    const std::pair<double, const char*> rows[] = {
        {5.8717e-05, "0,000058717"}, {12345678.0, "12345680"}, {0.0, "0"},
        {1.0 / 3.0, "0,3333333"},    {2.5, "2,5"},             {100.0, "100"},
    };
    for (const auto& [seconds, text] : rows) {
        SolveFixture f;
        f.mp.clock.step = seconds;
        SetRows(f.form.Matrix, kSolved);
        f.form.mSuDoKuSearchAll_Click();
        const std::string t = text;
        EXPECT_EQ(f.LogMessages().back(), "Lösen fertig (1 Lösungen in " + t + " Sekunden).");
        EXPECT_EQ(f.mp.messages.shown.back().text,
                  "Für dieses SuDoKu wurden in " + t + " Sekunden 1 Lösungen gefunden.");
    }
}

TEST(SolveCommands, OneRunAtATimeAndClosingWaitsForTheRunToUnwind) {
    SolveFixture f;
    SetRows(f.form.Matrix, kHard);
    bool nestedIgnored = false;
    f.mp.events.actAt = 3;
    f.mp.events.action = [&] {
        const std::size_t lines = f.form.List1.lines.Count();
        f.form.mSuDoKuSearchAll_Click();
        f.form.mSuDoKu_Loesen_Click();
        nestedIgnored = f.form.List1.lines.Count() == lines;
        f.form.Form_Unload();
        EXPECT_EQ(f.mp.app.quits, 0);
    };
    f.mp.messages.answers = {MsgAnswer::No};
    f.form.mSuDoKu_Loesen_Click();
    EXPECT_TRUE(nestedIgnored);
    EXPECT_EQ(f.LogMessages().back(), "Lösen... Fehler: SuDoKu kann nicht gelöst werden.");
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);  // the save question, once the run is over
    EXPECT_EQ(f.mp.messages.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(f.mp.app.quits, 1);
}

TEST(CancelCommand, WhenNothingRunsLogsAndLeavesTheFlagSet) {
    SolveFixture f;
    f.form.mSuDoKuBeak_Click();
    EXPECT_EQ(f.LogMessages(), (Lines{"Abbruch"}));
    EXPECT_TRUE(f.form.gCancel);
    SetRows(f.form.Matrix, kSolved);
    f.form.mSuDoKuSearchAll_Click();
    EXPECT_FALSE(f.form.gCancel);
    EXPECT_EQ(f.LogMessages().back(), "Lösen fertig (1 Lösungen in 0,25 Sekunden).");
}

}  // namespace
}  // namespace zw

namespace zw {
namespace {

// Every puzzle the logic alone solves (what `zellwerk-cli rate` calls normal) is solved by the
// window's solve command without the search. A sample of every shared set; ZW_FULL_SETS=1 runs
// them whole.
TEST(SolveCommand, PuzzlesTheLogicSolvesNeedNoSearchInTheWindow) {
    const bool full = std::getenv("ZW_FULL_SETS") != nullptr;
    int normal = 0;
    for (const char* set : {"top95.txt", "17clue.txt", "hardest.txt", "hardest11.txt",
                            "qqwing-simple.txt", "qqwing-easy.txt", "qqwing-intermediate.txt",
                            "qqwing-expert.txt", "multi.txt", "invalid.txt"}) {
        const auto puzzles = test::ReadPuzzleLines(test::PuzzleFile(set), full ? 0 : 400);
        ASSERT_FALSE(puzzles.empty()) << set;
        const std::size_t step = full ? 1 : std::max<std::size_t>(puzzles.size() / 25, 1);
        for (std::size_t i = 0; i < puzzles.size(); i += step) {
            std::string rows = puzzles[i];
            if (rows.find_first_not_of(".0123456789") != std::string::npos)
                continue;
            Grid grid;
            bool cancel = false;
            CountingEventPump pump;
            MersenneRandom random;
            SolverContext ctx{grid, cancel, pump, {}, random};
            SetRows(grid, rows);
            if (!SolveLogical(ctx))
                continue;
            ++normal;
            SolveFixture f;
            SetRows(f.form.Matrix, rows);
            f.form.mSuDoKu_Loesen_Click();
            for (const std::string& line : f.LogMessages())
                ASSERT_EQ(line.find("Backtracking"), std::string::npos) << set << " " << rows;
            EXPECT_EQ(CountOpenCells(f.form.Matrix), 0) << set << " " << rows;
        }
    }
    EXPECT_GT(normal, 20);
}

}  // namespace
}  // namespace zw
