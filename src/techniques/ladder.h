// The ladder's driver: always the easiest step that applies, until the board is solved or
// nothing on the ladder applies. The hardest step's rating is the puzzle's score.
//
//     CandidateBoard board;
//     std::vector<Step> steps;
//     if (board.SetRows(line) && RunLadder(board, FastCount(...) == 1, steps))
//         ...  // solved; steps say how
#pragma once

#include <functional>
#include <vector>

#include "techniques/candidate_board.h"
#include "techniques/technique.h"

namespace zw::techniques {

// The easiest step on the board, false when none applies. Uniqueness techniques take part
// only with `oneSolution`: the caller has asked the fast engine that the puzzle has exactly one.
bool FindEasiestStep(const CandidateBoard& board, bool oneSolution, Step& step);
// Takes the step's removals, then places its digit; a direct step (pointing, claiming, hidden
// pair or triple that leaves a single) only places its digit.
void ApplyStep(CandidateBoard& board, const Step& step);
// Runs the ladder, appending its steps (after clearing `steps`, whose room is kept); true
// when the board ends solved. A board that turns out broken stops the run, and so does one that
// needs a step rated above `maxRating` (in tenths): the rungs above it are never searched.
bool RunLadder(CandidateBoard& board, bool oneSolution, std::vector<Step>& steps,
               int maxRating = kUncappedRating);
// The same, handing each step with the board it was found on to `seen` as it goes.
using StepSeen = std::function<void(const CandidateBoard& before, const Step& step)>;
bool RunLadder(CandidateBoard& board, bool oneSolution, const StepSeen& seen,
               int maxRating = kUncappedRating);
// The hardest rating of the steps, 0 for none.
int HardestRating(const std::vector<Step>& steps);
// The first step with that rating, whose technique names the score; -1 for none.
int HardestStep(const std::vector<Step>& steps);

}  // namespace zw::techniques
