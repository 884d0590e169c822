// A second search engine, built for speed, for the answers that do not depend on how they are
// found: the number of solutions up to a limit, and the solution of a puzzle that has only one.
//
// It keeps its own board as bit masks per digit and never touches the grid, logs nothing and
// draws no random numbers. Its count equals the count of the ordered backtracking search for
// every board; its first solution is some solution, the same as that search's only when there
// is just one.
//
//     std::string solution;
//     if (FastCount(board, 2, &solution) == 1)  // board: a board string
//         ...  // solution holds the one solution as a board string
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/grid.h"

namespace zw {

// Counts the solutions of a board string (column by column; "1"-"9" placed, a blank open),
// stopping at `limit` when it is positive. A board that breaks the rules, or places any other
// character, has none. With `first`, the first solution found goes there as a board string.
std::int64_t FastCount(std::string_view suDoKu, std::int64_t limit, std::string* first = nullptr);

// The same for the cell values of a grid. Candidate strings count as open cells: pass a board
// as SetSuDoKuString leaves it.
std::int64_t FastCount(const std::array<CellValue, kCellCount>& cells, std::int64_t limit,
                       std::string* first = nullptr);

// FastCount of a board string with the first solution row by row, as a puzzle line runs.
std::int64_t FastCountRows(std::string_view suDoKu, std::int64_t limit, std::string* first);

// Whether a board string has 81 characters, each a digit "1"-"9" or a blank: nothing that
// FastCount would count as breaking the rules where other roads might not.
bool IsPlainBoardString(std::string_view suDoKu);

// The engine's builds: one for every processor, and where the compiler can make it, one for
// processors with the bit-manipulation instructions (BMI1, BMI2, POPCNT), which FastCount
// takes when this processor has them.
enum class FastBuild { Baseline, BitManipulation };

// Whether a build is there and this processor can run it.
bool FastBuildRuns(FastBuild build);

// FastCount with the given build; one that cannot run here gives way to the baseline.
std::int64_t FastCount(FastBuild build, std::string_view suDoKu, std::int64_t limit,
                       std::string* first = nullptr);

}  // namespace zw
