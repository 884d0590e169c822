#include "generator/generate.h"

#include <gtest/gtest.h>

#include "board/board_string.h"
#include "generator/thinning.h"
#include "solver/logical_solver.h"
#include "solver/solve.h"
#include "support/test_board.h"

namespace zw {
namespace {

using Lines = std::vector<std::string>;

struct Generation : test::LoggedSolver {
    std::string Board() const { return GetSuDoKuString(s.grid); }
};

bool Passes(const std::string& board, int degree) {
    StandaloneSolver s;
    SetSuDoKuString(s.grid, board);
    return degree == 2 ? HasUniqueSolution(s.ctx) : SolveLogical(s.ctx);
}

const Lines kRunLines = {"Generierung...", "Generierung... Zahlenfeld leeren ...",
                         "Generierung... SuDoKu suchen ...",
                         "Generierung... Überflüssige Zahlen löschen ..."};

Lines GeneratorLines(Lines log) {
    std::erase_if(log, [](const std::string& line) { return !line.starts_with("Generierung"); });
    return log;
}

TEST(GeneratePuzzle, LogsEveryStepAndReachesTheWantedCount) {
    for (int degree : {1, 2}) {
        Generation r;
        r.clock.step = 0.25;
        ASSERT_TRUE(GeneratePuzzle(r.s.ctx, r.clock, degree, degree == 1 ? 10 : 55));
        Lines expected = kRunLines;
        expected.push_back("Generierung fertig nach 0,25 Sekunden.");
        EXPECT_EQ(GeneratorLines(r.logged), expected);
        EXPECT_EQ(r.clock.seeds, 2u) << "seeded at the start and when the thinning starts";
        EXPECT_TRUE(Passes(r.Board(), degree));
        // Normal tests log nothing of their own; each Schwer test logs its solutions.
        EXPECT_EQ(r.logged.size() == expected.size(), degree == 1);
        EXPECT_EQ(CountOpenCells(r.s.grid), degree == 1 ? 10 : 55);
    }
}

// Thinned as far as it goes, no single given can go: each was tried once, on a board that only
// lost cells afterwards, and the tests only get harder with fewer givens. A cancel at any pump
// call of that run stops it without its last line: during the search with an empty board,
// during the thinning with a partly thinned one.
TEST(GeneratePuzzle, ThinsUntilNoGivenCanGoAndACancelAtEveryPumpCallStopsTheRun) {
    for (int degree : {1, 2}) {
        Generation full;
        GeneratePuzzle(full.s.ctx, full.clock, degree, 81);
        const std::string board = full.Board();
        for (std::size_t k = 0; k < 81; ++k) {
            std::string fewer = board;
            fewer[k] = ' ';
            EXPECT_TRUE(board[k] == ' ' || !Passes(fewer, degree)) << k;
        }
        const long long calls = full.pump.calls;
        const long long step = std::max<long long>(calls / 150, 1);
        for (long long k = 1; k <= calls; k += (k < 20 ? 1 : step)) {
            Generation r;
            r.pump.actAt = k;
            r.pump.action = [&r] { r.s.cancel = true; };
            EXPECT_FALSE(GeneratePuzzle(r.s.ctx, r.clock, degree, 81)) << k;
            const Lines lines = GeneratorLines(r.logged);
            EXPECT_EQ(lines.back().rfind("Generierung fertig", 0), std::string::npos) << k;
            const int open = CountOpenCells(r.s.grid);
            EXPECT_EQ(open == 81, lines.size() < 4) << k;
            // A cancel inside a Schwer test after its first solution lets that removal stand.
            EXPECT_TRUE(degree == 2 || lines.size() < 4 || Passes(r.Board(), degree)) << k;
        }
    }
    Generation empty;  // an empty board has nothing to draw
    RemoveSurplusNumbers(empty.s.ctx, empty.clock, 1, 90, true);
    EXPECT_EQ(CountOpenCells(empty.s.grid), 81);
}

TEST(PuzzleSeries, LevelsInTurnScoredAndACancelDropsOnlyItsPuzzle) {
    Generation r;
    Lines titles;
    // The second puzzle is cancelled while it is made (the series pumps once before it starts,
    // the making at once); the third clears the flag.
    r.pump.action = [&r] { r.s.cancel = true; };
    r.s.ctx.addLog = [&r](std::string_view line) {
        r.logged.emplace_back(line);
        if (r.logged.size() == 1)
            r.pump.actAt = r.pump.calls + 2;
    };
    const std::vector<techniques::Level> levels = {techniques::Level::Leicht,
                                                   techniques::Level::Schwer};
    const auto series = MakePuzzleSeries(
        r.s.ctx, r.clock, levels, 3,
        {.title = [&](std::string_view t) { titles.emplace_back(t); }});
    EXPECT_EQ(titles, (Lines{"SuDoKu erstellen 1/3 ...", "SuDoKu erstellen 2/3 ...",
                             "SuDoKu erstellen 3/3 ..."}));
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].level, "Leicht");
    EXPECT_EQ(series[1].level, "Leicht");
    EXPECT_EQ(series[1].board, r.Board()) << "the last puzzle stays on the board";
    const techniques::Score score = techniques::ScoreRows(RowsFromBoardString(series[0].board));
    EXPECT_EQ(score.rating, series[0].rating);
    ASSERT_EQ(r.logged.size(), 2u);
    EXPECT_EQ(r.logged[0], "Heft: Rätsel 1/3, Schwierigkeit: " + techniques::ScoreText(score));

    Generation stopped;
    const auto none = MakePuzzleSeries(stopped.s.ctx, stopped.clock, levels, 5,
                                       {.stop = [&] { return !stopped.logged.empty(); }});
    EXPECT_EQ(none.size(), 1u) << "a stop after the first puzzle ends the series";
}

}  // namespace
}  // namespace zw
