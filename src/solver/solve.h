// The solver's commands as operations on a board: the solve road of the window's "Lösen" and
// the command-line tool, the rating, and the test for exactly one solution.
#pragma once

#include <cstdint>
#include <string>

#include "solver/solver_context.h"

namespace zw {

enum class SolveOutcome {
    Cancelled,      // stopped before the logic ran; the board is as it was
    BrokenRules,    // the givens break the rules
    AlreadySolved,  // no open cell, rules kept
    ByLogic,        // the logic alone finished the board
    BySearch,       // the search's solution is on the board
    NoSolution,     // the search found none; the puzzle is back on the board
};

struct SolveOptions {
    bool randomOrder = true;  // the search tries candidates in random order
    Clock* clock = nullptr;   // the times in the log lines; needed when the context logs
};

// Logs "Lösen...", checks the rules and the open cells, runs the logic, and when that does not
// finish, searches from the puzzle as given for the first solution. Every step is logged
// through the context, and the cancel flag is read after each log line before the logic.
// With the fast engine, a puzzle with no solution or only one is answered at once after the
// checks (NoSolution, or BySearch with the solution on the board): the other steps would end
// on the same board.
SolveOutcome SolveSuDoKu(SolverContext& ctx, const SolveOptions& options = {});

enum class Rating { Normal, Hard, Multiple, None };

// Normal: the logic alone solves the board. Otherwise the search, from the board as it was and
// up to two solutions, tells Hard (one), Multiple, or None (none, or broken rules).
Rating RatePuzzle(SolverContext& ctx);

// The ascending search for up to two solutions, each logged through the context: 0, 1 or 2.
// With `first`, the first solution found goes there. The board is left as it was.
std::int64_t SolutionsUpToTwo(SolverContext& ctx, std::string* first = nullptr);
inline bool HasUniqueSolution(SolverContext& ctx) {
    return SolutionsUpToTwo(ctx) == 1;
}

// The number of solutions of the board, up to `limit` when it is positive; the solution list
// is not kept. The board is left as it was.
std::int64_t CountSolutions(SolverContext& ctx, std::int64_t limit);

}  // namespace zw
