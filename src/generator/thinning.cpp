#include "generator/thinning.h"

#include <cmath>
#include <string>

#include "board/board_string.h"
#include "solver/logical_solver.h"
#include "solver/solve.h"

namespace zw {

namespace {

constexpr int kFailuresBeforeFixedPass = 81;

bool PuzzlePasses(SolverContext& ctx, int degree) {
    return degree == 2 ? HasUniqueSolution(ctx) : SolveLogical(ctx);
}

}  // namespace

int RoundHalfEven(double x) {
    const double floor = std::floor(x);
    const double rest = x - floor;
    int n = static_cast<int>(floor);
    if (rest > 0.5 || (rest == 0.5 && n % 2 != 0))
        ++n;
    return n;
}

void RemoveSurplusNumbers(SolverContext& ctx, Clock& clock, int degree, int Fields, bool random) {
    ctx.random.Seed(clock.SeedFromClock());
    Grid& grid = ctx.grid;
    if (CountOpenCells(grid) >= Fields)
        return;
    int row = 0;
    int col = 0;
    int failures = 0;
    // Moves to the next cell to try; false when the fixed order has run past column 8.
    const auto move = [&]() {
        if (random) {
            row = RoundHalfEven(ctx.random.Next() * 8);
            col = RoundHalfEven(ctx.random.Next() * 8);
            return true;
        }
        if (++row > 8) {
            row = 0;
            if (++col > 8)
                return false;
        }
        return true;
    };
    char kept[kBoardStringLength];
    for (;;) {
        const int open = CountOpenCells(grid);
        // An empty board has no given left to draw; without this the random search for one
        // would never end (only a `Fields` beyond 81 could get here).
        if (open == Fields || open == kCellCount)
            return;
        while (!IsPlaced(grid.Value(row, col))) {
            if (!move())
                return;
        }
        GetSuDoKuString(grid, kept);
        grid.SetValue(row, col, kEmptyCell);
        const bool passed = PuzzlePasses(ctx, degree);
        // Puts back the removed digit and wipes the test's traces.
        SetSuDoKuString(grid, std::string_view(kept, kBoardStringLength));
        if (passed) {
            grid.SetValue(row, col, kEmptyCell);
            failures = 0;
        } else {
            if (!move())
                return;
            ++failures;
        }
        if (failures >= kFailuresBeforeFixedPass) {
            if (random)
                RemoveSurplusNumbers(ctx, clock, degree, Fields, false);
            return;
        }
    }
}

}  // namespace zw
