#include "mainwindow/error_search.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "board/board_string.h"
#include "solver/fast_search.h"
#include "techniques/tip.h"

namespace zw {

namespace {

// True when `after` holds every character `before` places, in the same cell: a step that only
// added digits. Anything beyond plain ASCII ends a stretch, since its cells cannot be told
// apart by bytes (and such a board breaks the rules anyway).
bool Extends(std::string_view before, std::string_view after) {
    if (before.size() != after.size())
        return false;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const auto b = static_cast<unsigned char>(before[i]);
        if (b >= 0x80 || static_cast<unsigned char>(after[i]) >= 0x80)
            return false;
        if (b != ' ' && before[i] != after[i])
            return false;
    }
    return true;
}

}  // namespace

std::string_view LogMessage(std::string_view line) {
    const std::size_t tab = line.find('\t');
    return tab == std::string_view::npos ? line : line.substr(tab + 1);
}

std::vector<int> FaultyCells(std::string_view goodBoard, std::string_view faultyBoard) {
    Grid good, bad;
    SetSuDoKuString(good, goodBoard);
    SetSuDoKuString(bad, faultyBoard);
    std::vector<int> cells;
    for (int i = 0; i < kCellCount; ++i) {
        if (IsPlaced(bad.ValueAt(i)) && bad.ValueAt(i) != good.ValueAt(i))
            cells.push_back(i);
    }
    return cells;
}

std::string FaultyStepText(std::string_view line, std::string_view faultyBoard,
                           const std::vector<int>& cells) {
    std::string entry(line);
    std::replace(entry.begin(), entry.end(), '\t', ' ');
    entry = "Logeintrag „" + entry + "“";
    if (cells.size() != 1) {
        return "Fehler suchen: Falsch war der " + entry + " mit " + std::to_string(cells.size()) +
               " neuen Zahlen (markiert).";
    }
    Grid bad;
    SetSuDoKuString(bad, faultyBoard);
    const CellValue value = bad.ValueAt(cells.front());
    const std::string what = PlacedDigit(value) != 0 ? "die " + TextOfValue(value)
                                                     : "das Zeichen „" + TextOfValue(value) + "“";
    return "Fehler suchen: Falsch war " + what + " in " + CellName(cells.front()) + " (" + entry +
           ").";
}

ErrorSearchResult SearchError(const TextList& lines, const TextList& snapshots,
                              const bool& cancel, EventPump& events) {
    // The lines that count, oldest first: a refused digit's board is the one before it.
    std::vector<std::int64_t> counted;
    const std::size_t n = std::min(lines.Count(), snapshots.Count());
    for (std::size_t i = 0; i < n; ++i) {
        if (LogMessage(lines[i]) != kRefusedDigit)
            counted.push_back(static_cast<std::int64_t>(i));
    }
    if (cancel)
        return {ErrorSearchOutcome::Cancelled};
    if (counted.empty())
        return {};
    auto board = [&](std::int64_t k) { return snapshots[static_cast<std::size_t>(counted[k])]; };
    // Many lines share a board (the statistics, a run's lines, typing and deleting again).
    std::unordered_map<std::string_view, bool> decided;
    auto solvable = [&](std::int64_t k) {
        const std::string_view b = board(k);
        const auto [it, fresh] = decided.try_emplace(b, false);
        if (fresh) {
            it->second = FastCount(b, 1) == 1;
            events.DoEvents();
        }
        return it->second;
    };
    auto found = [&](std::int64_t good) {
        return ErrorSearchResult{ErrorSearchOutcome::Found, counted[good], counted[good + 1]};
    };

    std::int64_t k = static_cast<std::int64_t>(counted.size()) - 1;
    if (solvable(k))
        return {ErrorSearchOutcome::LastSolvable, counted[k], -1};
    // Invariant: no board from k on can be solved.
    while (k > 0) {
        std::int64_t s = k;
        while (s > 0 && Extends(board(s - 1), board(s))) {
            if (--s % 4096 == 0)
                events.DoEvents();
        }
        if (cancel)
            return {ErrorSearchOutcome::Cancelled};
        if (s == k) {
            --k;
            const bool ok = solvable(k);
            if (cancel)
                return {ErrorSearchOutcome::Cancelled};
            if (ok)
                return found(k);
            continue;
        }
        const bool startOk = solvable(s);
        if (cancel)
            return {ErrorSearchOutcome::Cancelled};
        if (!startOk) {
            k = s;
            continue;
        }
        // Within the stretch only digits are added: once unsolvable, it stays so.
        std::int64_t lo = s, hi = k;
        while (hi - lo > 1) {
            const std::int64_t mid = lo + (hi - lo) / 2;
            const bool ok = solvable(mid);
            if (cancel)
                return {ErrorSearchOutcome::Cancelled};
            (ok ? lo : hi) = mid;
        }
        return found(lo);
    }
    return {ErrorSearchOutcome::NoneSolvable};
}

}  // namespace zw
