#include "solver/solve.h"

#include <gtest/gtest.h>

#include "board/board_string.h"
#include "support/test_board.h"

namespace zw {
namespace {

using namespace test;
using Lines = std::vector<std::string>;

struct Road : LoggedSolver {
    Road() { clock.step = 0.25; }
};

std::string Simple() {  // the logic alone solves it
    return test::ReadPuzzleLines(test::PuzzleFile("qqwing-simple.txt"), 1).at(0);
}

// Every road of "Lösen" with its log lines, its outcome and the board it leaves; a cancel at
// pump call k stops quietly before the logic, or makes the search fail from the puzzle.
TEST(SolveSuDoKu, EveryRoadLogsItsSteps) {
    const std::string broken = "5...5....";
    const Lines failed = {"Lösen...", "Lösen... Lösung nicht eindeutig.",
                          "Lösen... Starte Backtracking nach 0,25s.",
                          "Lösen... Fehler: SuDoKu kann nicht gelöst werden."};
    const struct {
        std::string rows;
        long long cancelAt;
        SolveOutcome outcome;
        Lines log;
        std::string after;
    } cases[] = {
        {broken, 0, SolveOutcome::BrokenRules,
         {"Lösen...", "Lösen... Fehler: Die vorhandenen Zahlen brechen die SuDoKu regeln."},
         broken + std::string(72, '.')},
        {std::string(kSolved), 0, SolveOutcome::AlreadySolved,
         {"Lösen...", "Lösen... Fehler: SuDoKu bereits gelöst."}, std::string(kSolved)},
        {Simple(), 0, SolveOutcome::ByLogic, {"Lösen...", "Lösen fertig nach 0,25s gefunden."}, ""},
        {std::string(kHard), 0, SolveOutcome::BySearch,
         {"Lösen...", "Lösen... Lösung nicht eindeutig.", "Lösen... Starte Backtracking nach 0,25s.",
          "Lösen... Lösung gefunden (1).", "Lösen fertig nach 0,5s gefunden."},
         std::string(kHardSolution)},
        {std::string(kNoSolution), 0, SolveOutcome::NoSolution, failed, std::string(kNoSolution)},
        {std::string(kHard), 1, SolveOutcome::NoSolution, failed, std::string(kHard)},
    };
    for (const auto& c : cases) {
        Road r;
        test::SetRows(r.s.grid, c.rows);
        r.pump.actAt = c.cancelAt;
        r.pump.action = [&r] { r.s.cancel = true; };
        EXPECT_EQ(SolveSuDoKu(r.s.ctx, {.clock = &r.clock}), c.outcome) << c.rows;
        EXPECT_EQ(r.logged, c.log) << c.rows;
        if (!c.after.empty())
            EXPECT_EQ(RowsFromBoardString(GetSuDoKuString(r.s.grid)), c.after) << c.rows;
        else
            EXPECT_EQ(CountOpenCells(r.s.grid), 0) << c.rows;
    }
    // Cancelled while "Lösen..." is logged: nothing more.
    Road r;
    test::SetRows(r.s.grid, kHard);
    r.s.ctx.addLog = [&r](std::string_view line) {
        r.logged.emplace_back(line);
        r.s.cancel = true;
    };
    EXPECT_EQ(SolveSuDoKu(r.s.ctx, {.clock = &r.clock}), SolveOutcome::Cancelled);
    EXPECT_EQ(r.logged, Lines{"Lösen..."});
}

// The window's count-all command: the givens red while it runs, its log lines, the message.
TEST(CountAllCommand, CountsReportsAndUnmarks) {
    test::FormFixture f;
    f.mp.clock.step = 0.25;
    test::SetRows(f.form.Matrix, kHard);
    Colour givenDuringRun = 0;
    f.mp.events.actAt = 2;
    f.mp.events.action = [&] { givenDuringRun = f.form.Matrix.TextColour(0, 0); };
    f.form.mSuDoKuSearchAll_Click();
    EXPECT_EQ(givenDuringRun, kGivenRed);
    EXPECT_EQ(f.LogMessages(), (Lines{"Lösen...", "Lösen... Lösung gefunden (1).",
                                      "Lösen fertig (1 Lösungen in 0,25 Sekunden)."}));
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.mp.messages.shown[0].text,
              "Für dieses SuDoKu wurden in 0,25 Sekunden 1 Lösungen gefunden.");
    EXPECT_EQ(f.form.Matrix.TextColour(0, 0), kDefaultTextColour);
    EXPECT_EQ(RowsFromBoardString(GetSuDoKuString(f.form.Matrix)), kHard);
}

}  // namespace
}  // namespace zw
