#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <thread>
#include <vector>

#include "support/test_board.h"
#include "techniques/candidate_board.h"
#include "techniques/families.h"
#include "techniques/ladder.h"
#include "techniques/step_text.h"

namespace zw::techniques {
namespace {

// Whether `to` follows from `from` on the board by one link a player can check: a digit on
// puts it off in a cell that sees it and puts the cell's other digits off; a digit off puts
// it on in the other of a unit's two places, or puts a two-digit cell's other digit on.
bool IsLink(const CandidateBoard& board, int from, int to) {
    const int a = NodeCell(from), b = NodeCell(to), d = NodeDigit(from), e = NodeDigit(to);
    if (!(board.Candidates(a) & DigitBit(d)) || !(board.Candidates(b) & DigitBit(e)))
        return false;
    if (NodeOn(from) == NodeOn(to))
        return false;
    if (NodeOn(from))
        return (a == b && d != e) || (d == e && Sees(a, b));
    if (a == b)
        return d != e && board.Candidates(a) == (DigitBit(d) | DigitBit(e));
    if (d != e)
        return false;
    for (int unit : kUnitTables.units[a]) {
        const std::uint16_t places = board.Positions(unit, d);
        bool hasB = false;
        for (int i = 0; i < 9; ++i)
            hasB = hasB || (places >> i & 1 && UnitCell(unit, i) == b);
        if (hasB && std::popcount(places) == 2)
            return true;
    }
    return false;
}

int Negation(int node) {
    return node ^ 1;
}

// What a chain step says must hold on the board it was found on: each link is one a player
// can check, the chain ends where the step's result is, and for a contradiction the filled-in
// digits really leave a cell or unit empty.
void CheckChainStep(const CandidateBoard& board, const Step& step, const std::string& rows) {
    SCOPED_TRACE(std::string(Info(step.technique).name) + " " + rows);
    const Technique t = step.technique;
    ASSERT_GT(step.chainLength, 0);
    ASSERT_LE(step.chainLength, kChainRoom);
    if (t == Technique::XCycle || t == Technique::XChain || t == Technique::ForcingChain) {
        for (int i = 1; i < step.chainLength; ++i)
            EXPECT_TRUE(IsLink(board, step.chain[i - 1], step.chain[i])) << i;
        if (t == Technique::XCycle) {
            EXPECT_TRUE(IsLink(board, step.chain[step.chainLength - 1], step.chain[0]));
        } else {
            EXPECT_EQ(step.chain[step.chainLength - 1], Negation(step.chain[0]));
        }
        if (t != Technique::ForcingChain) {
            for (int i = 0; i < step.chainLength; ++i)
                EXPECT_EQ(NodeDigit(step.chain[i]), NodeDigit(step.chain[0]));
        }
        return;
    }
    if (t == Technique::CellForcingChain || t == Technique::UnitForcingChain) {
        ASSERT_GE(step.branchCount, 2);
        int result = -1;
        for (int b = 0, at = 0; b < step.branchCount; at += step.branchLengths[b++]) {
            EXPECT_TRUE(NodeOn(step.chain[at]));
            for (int k = 1; k < step.branchLengths[b]; ++k)
                EXPECT_TRUE(IsLink(board, step.chain[at + k - 1], step.chain[at + k]));
            const int end = step.chain[at + step.branchLengths[b] - 1];
            EXPECT_TRUE(result < 0 || result == end);
            result = end;
        }
        // The branches start at every digit of the cell, or every place of the unit.
        if (t == Technique::CellForcingChain) {
            EXPECT_EQ(std::popcount(board.Candidates(NodeCell(step.chain[0]))), step.branchCount);
        }
        return;
    }
    if (t == Technique::DynamicCellForcing || t == Technique::DynamicUnitForcing) {
        // Each branch fills in digits that are still candidates when their turn comes; all
        // end at the step's result, unless a branch ran into a contradiction.
        const int result =
            step.placedCell >= 0 ? ChainNode(step.placedCell, step.placedDigit, true) : -1;
        for (int b = 0, at = 0; b < step.branchCount; at += step.branchLengths[b++]) {
            CandidateBoard trial = board;
            for (int k = 0; k < step.branchLengths[b]; ++k) {
                const int node = step.chain[at + k];
                ASSERT_TRUE(NodeOn(node));
                ASSERT_TRUE(trial.Candidates(NodeCell(node)) & DigitBit(NodeDigit(node)));
                trial.Place(NodeCell(node), NodeDigit(node));
            }
            if (trial.Broken())
                continue;
            if (result >= 0) {
                EXPECT_EQ(step.chain[at + step.branchLengths[b] - 1], result);
            } else {
                for (int cell = 0; cell < kCells; ++cell)
                    EXPECT_FALSE(trial.Candidates(cell) & step.removed[cell]) << cell;
            }
        }
        return;
    }
    if (t == Technique::DynamicContradiction || t == Technique::Nishio) {
        CandidateBoard trial = board;
        for (int i = 0; i < step.chainLength; ++i) {
            const int node = step.chain[i];
            ASSERT_TRUE(NodeOn(node));
            ASSERT_TRUE(trial.Candidates(NodeCell(node)) & DigitBit(NodeDigit(node))) << i;
            trial.Place(NodeCell(node), NodeDigit(node));
        }
        if (step.emptyCell >= 0) {
            EXPECT_EQ(trial.Value(step.emptyCell), 0);
            EXPECT_EQ(trial.Candidates(step.emptyCell), 0);
        } else {
            ASSERT_GE(step.emptyUnit, 0);
            EXPECT_FALSE(trial.PlacedIn(step.emptyUnit) & DigitBit(step.emptyDigit));
            EXPECT_EQ(trial.Positions(step.emptyUnit, step.emptyDigit), 0);
        }
    }
}

// Every chain, loop and contradiction the ladder takes on top95 and the first puzzles of
// hardest is made of links that hold on its board, and its rating counts its length.
TEST(Chains, EveryLinkHoldsOnItsBoard) {
    std::vector<std::string> puzzles = test::ReadPuzzleLines(test::PuzzleFile("top95.txt"));
    for (const std::string& rows : test::ReadPuzzleLines(test::PuzzleFile("hardest.txt"), 200))
        puzzles.push_back(rows);
    int checked = 0;
    for (const std::string& rows : puzzles) {
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(rows));
        Step step;
        while (!board.Solved() && FindEasiestStep(board, true, step)) {
            if (step.chainLength > 0) {
                CheckChainStep(board, step, rows);
                ++checked;
                if (HasFatalFailure())
                    return;
            }
            ApplyStep(board, step);
        }
    }
    EXPECT_GT(checked, 500);
}

// The chain and cycle searches keep what they built for the last board per thread; a thread
// that went through the puzzle's earlier boards finds the very steps a fresh thread finds.
TEST(Chains, KeptSearchesFindWhatFreshOnesFind) {
    struct Found {
        bool found[4] = {};
        Step steps[4];
    };
    auto search = [](const CandidateBoard& board) {
        Found f;
        f.found[0] = FindYCycle(board, f.steps[0]);
        f.found[1] = FindXCycle(board, f.steps[1]);
        f.found[2] = FindChain(board, false, 0, f.steps[2]);
        f.found[3] = FindChain(board, true, 0, f.steps[3]);
        return f;
    };
    int compared = 0;
    for (const std::string& rows : test::ReadPuzzleLines(test::PuzzleFile("top95.txt"), 12)) {
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(rows));
        Step step;
        while (!board.Solved() && FindEasiestStep(board, true, step)) {
            const Found kept = search(board);
            Found fresh;
            std::thread([&] { fresh = search(board); }).join();
            for (int i = 0; i < 4; ++i) {
                SCOPED_TRACE(rows + " search " + std::to_string(i));
                ASSERT_EQ(kept.found[i], fresh.found[i]);
                if (!kept.found[i])
                    continue;
                const Step& a = kept.steps[i];
                const Step& b = fresh.steps[i];
                EXPECT_EQ(a.technique, b.technique);
                ASSERT_EQ(a.chainLength, b.chainLength);
                for (int k = 0; k < a.chainLength; ++k)
                    EXPECT_EQ(a.chain[k], b.chain[k]) << k;
                for (int cell = 0; cell < kCells; ++cell)
                    EXPECT_EQ(a.removed[cell], b.removed[cell]) << cell;
                EXPECT_EQ(a.placedCell, b.placedCell);
                EXPECT_EQ(a.placedDigit, b.placedDigit);
                ++compared;
            }
            ApplyStep(board, step);
        }
    }
    EXPECT_GT(compared, 100);
}

// The Y-cycles pass over the rings that removed nothing only on a board that has lost
// candidates since: the same two-digit cells with more candidates around them, as the next
// puzzle on the thread may bring, are searched again.
TEST(Chains, YCyclesSearchAgainWhereCandidatesCameBack) {
    CandidateBoard board;
    ASSERT_TRUE(board.SetRows(
        ".47.2....8....1....3....9.2.....5...6..81..5.....4.....7....3.4...9...1.4..27.8.."));
    Step step;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(FindEasiestStep(board, true, step));
        ApplyStep(board, step);
    }
    Step ring;
    ASSERT_TRUE(FindYCycle(board, ring));
    // The same board without what the ring removes (from cells left with three digits at
    // least): the same two-digit cells, and nothing left to take.
    CandidateBoard bare = board;
    for (int cell = 0; cell < kCells; ++cell) {
        if (ring.removed[cell]) {
            bare.Remove(cell, ring.removed[cell]);
            ASSERT_NE(Count9(bare.Candidates(cell)), 2);
        }
    }
    Step none;
    EXPECT_FALSE(FindYCycle(bare, none));
    Step again;
    ASSERT_TRUE(FindYCycle(board, again));
    EXPECT_EQ(again.chainLength, ring.chainLength);
    for (int cell = 0; cell < kCells; ++cell)
        EXPECT_EQ(again.removed[cell], ring.removed[cell]) << cell;
}

// The uniqueness techniques wait for the caller's word that the puzzle has one solution: on
// the boards where the ladder takes a unique rectangle and BUG+1, without it takes another.
TEST(Chains, UniquenessOnlyWhenAllowed) {
    const struct {
        const char* rows;
        int stepsBefore;
    } boards[] = {
        {".58..21.......6..94..15...731....4....5.4.3....6....811...64..55..7.......75..94.", 24},
        {".9.........391...6..1.5623...5.3..2..195.476..2..7.9...4726.8..1...953.........5.", 32},
    };
    for (const auto& b : boards) {
        CandidateBoard board;
        ASSERT_TRUE(board.SetRows(b.rows));
        Step step;
        for (int i = 0; i < b.stepsBefore; ++i) {
            ASSERT_TRUE(FindEasiestStep(board, true, step));
            ApplyStep(board, step);
        }
        ASSERT_TRUE(FindEasiestStep(board, true, step));
        const bool unique = step.technique >= Technique::UniqueRectangle1 &&
                            step.technique <= Technique::UniqueRectangle4;
        EXPECT_TRUE(unique || step.technique == Technique::Bug1) << b.rows;
        ASSERT_TRUE(FindEasiestStep(board, false, step));
        EXPECT_FALSE(step.technique >= Technique::UniqueRectangle1 &&
                     step.technique <= Technique::UniqueRectangle4);
        EXPECT_NE(step.technique, Technique::Bug1);
    }
}

}  // namespace
}  // namespace zw::techniques
