// A deliberately literal solver over 81 text cells, written rule for rule with real strings and
// no cleverness. Slow; tests compare the real solver's cell texts, answers and counts with it.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace zw::reference {

using Board = std::array<std::string, 81>;  // the cell texts, row by row

Board FromRows(const std::string& rows);  // "1-9" givens, anything else blank
// The logic alone (singles and pairs); true when it solved the board.
bool SolveLogical(Board& b);
// The search: the number of solutions, at most `max` when positive; appends each (board string
// and CR LF) to `loesungen`. With `random`, candidates are tried in the order it draws.
long long myBT(Board& b, std::string& loesungen, long long max,
               const std::function<double()>& random = {});

}  // namespace zw::reference
