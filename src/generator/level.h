// Puzzles made to a level: a random complete grid, emptied cell by cell in a random order while
// the puzzle keeps one solution and (for the lower levels) the ladder finishes it within the
// level's highest rating; a puzzle whose score ends below the level's band is dropped and the
// next grid tried. The same seed gives the same puzzle on every machine.
//
//     const LevelPuzzle p = MakeLevelPuzzle(techniques::Level::Schwer, seed);
//     out << p.rows << ' ' << techniques::ScoreLine(p.score);
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "techniques/score.h"

namespace zw {

struct LevelPuzzle {
    std::string rows;  // 81 characters row by row, '.' open; empty when stopped
    techniques::Score score;
};

// `stop`, asked now and then, ends the search early with an empty puzzle.
LevelPuzzle MakeLevelPuzzle(techniques::Level level, std::uint64_t seed,
                            const std::function<bool()>& stop = {});

// A random complete grid, row by row, from the seed's sequence: what the thinning starts from.
std::string RandomSolutionGrid(std::uint64_t& state);

}  // namespace zw
