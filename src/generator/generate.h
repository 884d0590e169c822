// Making new puzzles: one puzzle of a difficulty, and the booklet's series of them. The window's
// commands and the command-line tool run these on their own boards.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/booklet.h"
#include "platform/platform.h"
#include "solver/solver_context.h"
#include "techniques/score.h"

namespace zw {

// One new puzzle on ctx.grid: the board is cleared, the search makes a random complete grid and
// the thinning empties cells down to `fields` open ones while the puzzle passes the test of
// `degree` (1: the logic solves it, 2: one solution). Every step is logged through the context.
// The clock gives the run's seeds and its time. False when a cancel stopped the run; the board
// then shows how far it got (empty, or partly thinned).
bool GeneratePuzzle(SolverContext& ctx, Clock& clock, int degree, int fields);

struct SeriesPuzzle {
    std::string board;  // board string
    std::string level;  // the name of its level
    int rating = 0;     // its score, tenths
};

struct SeriesHooks {
    std::function<void(std::string_view)> title = {};  // the wait window's label before each run
    std::function<bool()> stop = {};                   // asked before and after each run
};

// n puzzles made to the levels in turn, each from the clock's next seed, put on the board and
// logged with its score. A cancel stops only the puzzle in progress, which leaves no entry; the
// next one clears the flag. `stop` true ends the series (a close of the window sets the cancel
// flag, which the next puzzle would clear).
std::vector<SeriesPuzzle> MakePuzzleSeries(SolverContext& ctx, Clock& clock,
                                           const std::vector<techniques::Level>& levels,
                                           long long n, const SeriesHooks& hooks = {});

// A clock whose seeds count up from a fixed start (start + 1, start + 2, ...), so the same start
// makes the same puzzles; everything else comes from `time`.
class RepeatableClock final : public Clock {
public:
    RepeatableClock(Clock& time, std::uint64_t start) : time_(time), seed_(start) {}
    double Seconds() override { return time_.Seconds(); }
    std::uint64_t SeedFromClock() override { return ++seed_; }
    std::string TimeOfDayText() override { return time_.TimeOfDayText(); }
    std::string ShortDateText() override { return time_.ShortDateText(); }
    std::string FormatNumber(double value, int digits) override {
        return time_.FormatNumber(value, digits);
    }

private:
    Clock& time_;
    std::uint64_t seed_;
};

}  // namespace zw
