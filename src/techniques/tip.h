// The tip: the next step a person can take on a board, said in words. On a puzzle with one
// solution it is the ladder's easiest step on the player's candidates; a board with several
// solutions gets the singles and pairs alone. It reads the placed digits only and never writes
// a cell.
//
//     const Tip tip = FindTip(grid.Values());
//     log(TipHintText(tip));    // first: the technique and where to look
//     log(TipAnswerText(tip));  // then: what it removes and which digit it leads to
//     if (tip.kind == TipKind::Step && tip.step.placedCell < 0)
//         next = NextTip(tip);  // a step that only removed candidates: go on from there
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "board/grid.h"
#include "techniques/candidate_board.h"
#include "techniques/technique.h"

namespace zw {

enum class TipKind {
    Solved,        // no open cell, rules kept
    RuleBreak,     // two equal digits in a unit, or a placed character that is no digit
    NoSolution,    // the rules hold, but no solution is left
    NakedSingle,   // a cell with one candidate left
    HiddenSingle,  // a digit with one place left in a box, a column or a row
    Pair,          // a naked pair whose eliminations leave a single
    Guess,         // none of the techniques finds a digit, on a board with several solutions
    Step,          // a step of the ladder, on a board with one solution
    Solution,      // nothing on the ladder applies: the solution's digit for a cell, unexplained
};

enum class UnitKind { Row, Column, Box };

struct UnitRef {
    UnitKind kind = UnitKind::Row;
    int index = 0;  // 0-8; boxes row by row
};

struct Tip {
    TipKind kind = TipKind::Guess;
    // The single's cell (row-major index) and digit, for the single kinds, Solution and a Step
    // that places one.
    int cell = -1;
    int digit = 0;
    // HiddenSingle: the unit with one place left. Pair: the pair's unit.
    UnitRef unit;
    // Pair: its two cells and two digits; cell and digit are the single its eliminations leave.
    std::array<int, 2> pairCells{-1, -1};
    CellValue pairDigits = 0;
    // RuleBreak: the clashing cells (every cell of the unit with the digit, or every placed
    // character that is no digit; digit 0 then), and the unit of the digit's cells.
    std::vector<int> clash;
    // Guess: 1 for exactly one solution, 2 for several.
    std::int64_t solutions = 0;
    // Step: the step and the candidates it was found on; Step and Solution: the solution, row by
    // row.
    techniques::Step step;
    techniques::CandidateBoard before;
    std::string solution;
};

// The full tip: the rule check, then whether a solution is left, then the techniques.
Tip FindTip(const std::array<CellValue, kCellCount>& cells);

// The singles and pairs alone, on a board that keeps the rules: a single, a pair leading to
// one, or a Tip of kind Guess (with solutions 0) when they find nothing.
Tip FindStep(const std::array<CellValue, kCellCount>& cells);

// The ladder's easiest step on these candidates, of a puzzle whose one solution is `solution`
// (row by row); nothing on the ladder applying gives that solution's digit for a cell.
Tip FindLadderTip(const techniques::CandidateBoard& candidates, std::string solution);
// The tip after a Step tip: on its candidates with the step taken.
Tip NextTip(const Tip& shown);

// "Tipp: ..." texts. The hint says where to look; the answer names the digit and its cell.
// Kinds with nothing to reveal give the same text in both.
std::string TipHintText(const Tip& tip);
std::string TipAnswerText(const Tip& tip);

// The cells to mark with each text: the hint marks the cell or unit to look at (a step's
// pattern), the answer the single's cell (and the pair's cells; a step's pattern and the cells
// it removes from), a rule break its clashing cells.
std::vector<int> TipHintCells(const Tip& tip);
std::vector<int> TipAnswerCells(const Tip& tip);

// "Zeile 3, Spalte 5" for a row-major cell index; "Spalte 5", "Block 4" for a unit.
std::string CellName(int cell);
std::string UnitName(const UnitRef& unit);

}  // namespace zw
