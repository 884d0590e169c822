// A deliberately literal solver over 81 text cells, written rule for rule with real strings and
// no cleverness. Slow; tests compare the real solver's cell texts, answers and counts with it.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace zw::reference {

struct Board {
    std::array<std::string, 81> cells;
    std::string& At(int r, int c) { return cells[static_cast<std::size_t>(r * 9 + c)]; }
    const std::string& At(int r, int c) const { return cells[static_cast<std::size_t>(r * 9 + c)]; }
};

Board FromRows(const std::string& rows);  // "1-9" givens, anything else blank
std::string BoardString(const Board& b);  // column-major, blanks for non-digits

std::string GetCandidates(const Board& b, int row, int col);
std::string ResolveCell(const Board& b, int row, int col);
int UpdateCandidates(Board& b);
int EliminatePair(Board& b, int row, int col, bool nested);
int ApplyPairs(Board& b);
bool RulesOk(const Board& b);
int CountOpenCells(const Board& b);

struct Hooks {
    const bool* cancel = nullptr;
    std::function<void()> doEvents = [] {};
    std::function<double()> random;  // only when use_random
};
bool SolveLogical(Board& b, const Hooks& hooks);
// Returns the number of solutions; appends them (board string + CR LF) to loesungen.
long long myBT(Board& b, std::string& loesungen, long long max, bool useRandom, const Hooks& hooks);

}  // namespace zw::reference
