// The recursive backtracking search on the board's own cells.
//
// Every level lets the singles sweep fill what it can, then branches on the open cell with the
// fewest candidates (the first such cell row by row) and tries its digits in ascending or
// random order. Each complete board that passes the rule check is appended to the solution
// list as its 81-character board string plus CR LF. Every level puts the board back as it found
// it, so after any call, cancelled or not, the board is as before.
//
//     StandaloneSolver s;        // or the window's context on its own board
//     std::string loesungen;
//     std::int64_t n = myBT(s.ctx, loesungen, {.max = 2});  // n == 1: unique
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

#include "solver/solver_context.h"

namespace zw {

// After this many solution lines one search logs a note and only counts on.
constexpr std::int64_t kLoggedSolutionsPerSearch = 100000;

// The state one search shares across its levels.
struct BackTrackSearch {
    explicit BackTrackSearch(std::string& list) : loesungen(list) {}

    std::string& loesungen;
    std::int64_t num_loes = 0;
    std::int64_t max = 0;  // 0 or less: no limit
    bool use_random = false;
    bool ShowLogs = false;

    // Branches of one search differ in their branching digit, so a search can only meet a
    // solution twice when the caller handed in a list that already held some.
    bool checkDuplicates = false;
    std::size_t givenLength = 0;               // the part of the list the caller handed in
    std::unordered_set<std::string> foundNow;  // solutions of this search, when checking

    bool LimitReached() const { return max > 0 && num_loes >= max; }
};

// One level of the search.
void BackTrack(SolverContext& ctx, BackTrackSearch& search);

struct BackTrackOptions {
    std::int64_t max = 0;     // stop at this many solutions; 0 or less: no limit
    bool use_random = false;  // random candidate order instead of ascending
    bool ShowLogs = false;    // log each solution as it is found
};

// Runs one search and returns the number of solutions it found (up to `max` when positive).
// Appends them to `loesungen`.
std::int64_t myBT(SolverContext& ctx, std::string& loesungen, const BackTrackOptions& options);

}  // namespace zw
