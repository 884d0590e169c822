#include "solver/backtracking.h"

#include <bit>
#include <cmath>

#include "board/board_string.h"
#include "solver/board_scan.h"
#include "solver/candidates.h"

namespace zw {

namespace {

constexpr std::string_view kSolutionEnd = "\r\n";

// The k-th (from 1) digit of a candidate set.
CellValue NthDigit(CellValue set, int k) {
    for (int i = 1; i < k; ++i)
        set &= set - 1;
    return set & (~set + 1);
}

bool AlreadyFound(const BackTrackSearch& search, const std::string& solution) {
    if (!search.checkDuplicates)
        return false;
    const std::string_view given(search.loesungen.data(), search.givenLength);
    return given.find(solution) != std::string_view::npos || search.foundNow.count(solution) != 0;
}

void RecordSolution(SolverContext& ctx, BackTrackSearch& search) {
    std::string solution = GetSuDoKuString(ctx.grid);
    if (AlreadyFound(search, solution))
        return;
    const std::int64_t listed =
        static_cast<std::int64_t>(search.loesungen.size() - search.givenLength) /
        static_cast<std::int64_t>(kBoardStringLength + kSolutionEnd.size());
    if (ctx.keepSolutions < 0 || listed < ctx.keepSolutions) {
        search.loesungen += solution;
        search.loesungen += kSolutionEnd;
    }
    if (search.checkDuplicates)
        search.foundNow.insert(std::move(solution));
    ++search.num_loes;
    if (!search.ShowLogs || search.num_loes > kLoggedSolutionsPerSearch)
        return;
    ctx.AddLog("Lösen... Lösung gefunden (" + std::to_string(search.num_loes) + ").");
    // One line per solution would fill memory on a nearly empty board.
    if (search.num_loes == kLoggedSolutionsPerSearch)
        ctx.AddLog("Lösen... Weitere Lösungen werden nur noch gezählt.");
}

constexpr int kNoBranchCell = -1;
constexpr int kDeadBoard = -2;

// The cell to branch on: the fewest candidates, the first such cell row by row.
//
// kDeadBoard when an open cell has no candidate left. After propagation that cell's placed
// neighbours already hold all nine digits, and placed digits stay, so nothing below this level
// can pass the rule check complete: the subtree holds no solution and is not searched. This
// changes no count and no solution, nor their order in ascending search.
//
// Reads the sweep's account of the board, which matches it after a Scan, and visits only the
// open cells, in the same row-by-row order.
int ChooseBranchCell(const SweepCache& sweep) {
    int best = 10, chosen = kNoBranchCell;
    const CellSet& open = sweep.OpenCells();
    for (int word = 0; word < 2; ++word) {
        for (std::uint64_t cells = word == 0 ? open.low : open.high; cells != 0;
             cells &= cells - 1) {
            const int i = 64 * word + std::countr_zero(cells);
            const CellValue v = sweep.Known(i);
            if (v == kEmptyCell)
                return kDeadBoard;
            const int length = TextLength(v);
            if (length < best) {
                chosen = i;
                best = length;
            }
        }
    }
    return chosen;
}

// Everything of one level between saving and restoring the board; returning means "go to the
// exit".
void SearchFrom(SolverContext& ctx, BackTrackSearch& search, SweepCache& sweep);

void SearchLevel(SolverContext& ctx, BackTrackSearch& search, SweepCache& sweep) {
    Grid& grid = ctx.grid;
    if (ctx.gCancel)
        return;
    // The sweeps continue from the parent's last one: only the branching cell is new. Nothing
    // else writes to the board until the messages run.
    bool doomed = false;
    while (sweep.SweepOwn(grid, doomed) != 0 && !doomed) {
        if (ctx.gCancel)
            return;
    }
    ctx.DoEvents();
    // A doomed board would fail the rule check, or leave an open cell without candidates to
    // branch on, however many sweeps ran first.
    if (doomed)
        return;
    const BoardScan scan = sweep.Scan(grid);
    if (!scan.rulesOk || ctx.gCancel)
        return;
    // The rule check passed, so every placed cell holds a digit 1-9: the board string has no
    // blank exactly when no cell is open. (The second rule check of a complete board reads the
    // same board and passes again.)
    if (scan.openCells == 0) {
        RecordSolution(ctx, search);
        return;
    }
    if (ctx.gCancel || search.LimitReached())
        return;
    const int chosen = ChooseBranchCell(sweep);
    if (chosen == kNoBranchCell || chosen == kDeadBoard || ctx.gCancel)
        return;
    const CellValue kept = grid.ValueAt(chosen);
    CellValue untried = kept;
    while (untried != 0) {
        int k = 1;
        if (search.use_random) {
            // Round half to even: the first and last digit come up half as often as the others.
            const double r = ctx.random.Next();
            k = 1 + static_cast<int>(std::nearbyint(r * (CountDigits(untried) - 1)));
        }
        if (search.LimitReached())
            return;
        const CellValue digit = NthDigit(untried, k);
        // The child's sweeps continue from this level's, knowing the one cell written.
        SweepCache childSweep = sweep;
        childSweep.Write(grid, chosen, digit);
        SearchFrom(ctx, search, childSweep);
        untried &= ~digit;
    }
    grid.SetValueAt(chosen, kept);
}

// One level of BackTrack, its sweeps continuing from `sweep`.
void SearchFrom(SolverContext& ctx, BackTrackSearch& search, SweepCache& sweep) {
    if (ctx.gCancel || search.LimitReached())
        return;
    const std::array<CellValue, kCellCount> saved = ctx.grid.Values();
    SearchLevel(ctx, search, sweep);
    ctx.grid.SetValues(saved);
}

}  // namespace

void BackTrack(SolverContext& ctx, BackTrackSearch& search) {
    SweepCache sweep;
    SearchFrom(ctx, search, sweep);
}

std::int64_t myBT(SolverContext& ctx, std::string& loesungen, const BackTrackOptions& options) {
    BackTrackSearch search(loesungen);
    search.max = options.max;
    search.use_random = options.use_random;
    search.ShowLogs = options.ShowLogs;
    search.checkDuplicates = !loesungen.empty();
    search.givenLength = loesungen.size();
    BackTrack(ctx, search);
    return search.num_loes;
}

}  // namespace zw
