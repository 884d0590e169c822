#include "techniques/ladder.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "board/board_string.h"
#include "solver/fast_search.h"
#include "support/test_board.h"
#include "techniques/step_text.h"

namespace zw::techniques {
namespace {

// Every step the ladder takes on every puzzle of a set, held against the fast engine's
// solution: a removed candidate is never the solution's digit, a placed digit always is.
// Counts the puzzles the ladder finished.
void CheckSet(const std::vector<std::string>& puzzles, int& finished) {
    finished = 0;
    for (const std::string& rows : puzzles) {
        std::string solution;
        ASSERT_EQ(FastCountRows(BoardStringFromRows(rows), 2, &solution), 1) << rows;
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(rows)) << rows;
        Step step;
        while (!board.Solved() && FindEasiestStep(board, true, step)) {
            for (int cell = 0; cell < kCells; ++cell) {
                const std::uint16_t truth = DigitBit(solution[cell] - '0');
                ASSERT_FALSE(step.removed[cell] & truth) << rows << "\n"
                                                         << StepAnswerText(board, step);
            }
            if (step.placedCell >= 0) {
                ASSERT_EQ(step.placedDigit, solution[step.placedCell] - '0')
                    << rows << "\n"
                    << StepAnswerText(board, step);
            }
            ASSERT_TRUE(step.placedCell >= 0 || step.Removes()) << rows;
            ApplyStep(board, step);
        }
        finished += board.Solved();
    }
}

// Every puzzle in optimised builds; a sanitized build runs some twenty times slower, so there
// every 25th puzzle keeps the whole suite within a few minutes.
#ifdef ZW_SANITIZED
constexpr std::size_t kStride = 25;
#else
constexpr std::size_t kStride = 1;
#endif

std::vector<std::string> EveryNth(const std::vector<std::string>& all, std::size_t n) {
    std::vector<std::string> some;
    for (std::size_t i = 0; i < all.size(); i += n)
        some.push_back(all[i]);
    return some;
}

TEST(Ladder, EveryStepOnEverySetAgreesWithTheSolution) {
    for (const char* set : {"qqwing-simple.txt", "qqwing-easy.txt", "qqwing-intermediate.txt",
                            "qqwing-expert.txt", "top95.txt", "hardest11.txt", "hardest.txt"}) {
        const std::vector<std::string> puzzles =
            EveryNth(test::ReadPuzzleLines(test::PuzzleFile(set)), kStride);
        int finished = 0;
        CheckSet(puzzles, finished);
        std::cout << set << ": " << finished << " of " << puzzles.size() << " finished\n";
        if (HasFatalFailure())
            return;
    }
    // Every 100th of the 17-given collection.
    const std::vector<std::string> sample =
        EveryNth(test::ReadPuzzleLines(test::PuzzleFile("17clue.txt")), 100 * kStride);
    int finished = 0;
    CheckSet(sample, finished);
    std::cout << "17clue.txt (every " << 100 * kStride << "th): " << finished << " of "
              << sample.size() << " finished\n";
}

// Every step holds for every solution, so on a board with several the ladder (without its
// uniqueness techniques) can never finish: it would have thrown a solution away. On a board
// without any it stops.
TEST(Ladder, NeverFinishesBoardsWithSeveralSolutionsOrNone) {
    CandidateBoard board;
    std::vector<Step> steps;
    for (const std::string& rows :
         EveryNth(test::ReadPuzzleLines(test::PuzzleFile("multi.txt"), 20), kStride == 1 ? 1 : 5)) {
        ASSERT_TRUE(board.SetRows(rows));
        EXPECT_FALSE(RunLadder(board, false, steps)) << rows;
    }
    ASSERT_TRUE(board.SetRows(test::kNoSolution));
    EXPECT_FALSE(RunLadder(board, false, steps));
}

// A run skips rungs and places where nothing changed since they last found nothing; it must
// take exactly the steps a fresh search before every step takes.
// The places the board keeps per unit, and whether it is broken, against its candidates.
bool PlacesAgree(const CandidateBoard& board) {
    bool broken = false;
    for (int unit = 0; unit < kUnits; ++unit) {
        unsigned could = board.PlacedIn(unit);
        for (int d = 1; d <= 9; ++d) {
            unsigned places = 0;
            for (int i = 0; i < 9; ++i) {
                if (board.Candidates(UnitCell(unit, i)) & DigitBit(d))
                    places |= 1u << i;
            }
            if (board.Positions(unit, d) != places)
                return false;
            could |= places ? DigitBit(d) : 0u;
        }
        broken = broken || could != kAllDigits;
    }
    for (int cell = 0; cell < kCells; ++cell)
        broken = broken || (!board.Value(cell) && !board.Candidates(cell));
    return board.Broken() == broken;
}

// Each fresh search runs on a thread of its own, so nothing the searches remember of earlier
// boards carries over.
TEST(Ladder, ARunTakesTheStepsOfAFreshSearchEachTime) {
    CandidateBoard board, fresh;
    std::vector<Step> steps;
    for (const char* set : {"top95.txt", "qqwing-expert.txt"}) {
        for (const std::string& rows : test::ReadPuzzleLines(test::PuzzleFile(set), 60)) {
            ASSERT_TRUE(board.SetRows(rows) && fresh.SetRows(rows));
            const bool solved = RunLadder(board, true, steps);
            std::vector<Step> found;
            std::vector<CandidateBoard> before;
            bool agree = PlacesAgree(fresh);
            for (Step step; !fresh.Solved();) {
                bool any = false;
                std::thread([&] { any = FindEasiestStep(fresh, true, step); }).join();
                if (!any)
                    break;
                found.push_back(step);
                before.push_back(fresh);
                ApplyStep(fresh, step);
                agree = agree && PlacesAgree(fresh);
            }
            EXPECT_TRUE(agree) << rows;
            std::size_t i = 0;
            for (; i < found.size(); ++i) {
                const Step& step = found[i];
                ASSERT_LT(i, steps.size()) << rows;
                const Step& s = steps[i];
                ASSERT_TRUE(s.technique == step.technique && s.cells == step.cells &&
                            s.removed == step.removed && s.placedCell == step.placedCell &&
                            s.placedDigit == step.placedDigit && s.Rating() == step.Rating() &&
                            s.chainLength == step.chainLength)
                    << rows << " step " << i << "\n"
                    << StepAnswerText(before[i], step) << "\n"
                    << StepAnswerText(before[i], s);
            }
            EXPECT_EQ(i, steps.size()) << rows;
            EXPECT_EQ(solved, fresh.Solved()) << rows;
        }
    }
}

}  // namespace
}  // namespace zw::techniques
