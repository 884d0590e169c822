// A puzzle's difficulty: the rating of the hardest step the ladder needs to finish it, on the
// public Sudoku Explainer scale, and the level that rating falls in.
//
//     const Score score = ScorePuzzle(grid.Values());
//     log("Schwierigkeit: " + ScoreText(score, ','));  // "4,2 (XY-Wing) – Schwer"
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "board/grid.h"
#include "techniques/technique.h"

namespace zw::techniques {

enum class ScoreKind {
    Rated,       // one solution, and the ladder finished it
    Solved,      // no open cell: nothing to rate
    NoSolution,  // the rules are broken, or no solution is left
    Multiple,    // more than one solution
    Unfinished,  // one solution, but nothing on the ladder applies any more
};

struct Score {
    ScoreKind kind = ScoreKind::NoSolution;
    int rating = 0;  // tenths, of the hardest step taken
    Technique technique = Technique::FullHouse;
};

// The five levels, each a band of ratings.
enum class Level { Leicht, Mittel, Schwer, SehrSchwer, Extrem };
constexpr int kLevelCount = 5;

struct LevelBand {
    int low;   // lowest rating in the band, tenths
    int high;  // highest, tenths
};
constexpr LevelBand Band(Level level) {
    constexpr std::array<LevelBand, kLevelCount> kBands{
        {{0, 14}, {15, 24}, {25, 49}, {50, 69}, {70, kUncappedRating}}};
    return kBands[static_cast<int>(level)];
}
Level LevelOf(int rating);
// "Leicht", "Mittel", "Schwer", "Sehr schwer", "Extrem".
std::string_view LevelName(Level level);
// The command line's spelling: "leicht" ... "sehr-schwer", "extrem"; nullopt for another word.
std::optional<Level> LevelOfWord(std::string_view word);

// The board's score: cells row by row, as a grid holds them (anything but a placed digit is an
// open cell). A board whose rating would exceed `maxRating` stops there as Unfinished, without
// searching the harder rungs.
Score ScorePuzzle(const std::array<CellValue, kCellCount>& cells, int maxRating = kUncappedRating);
// The same for a puzzle line (81 characters row by row; "1"-"9" placed, anything else open).
Score ScoreRows(std::string_view rows, int maxRating = kUncappedRating);

// "4.2" with `decimal` '.', "4,2" with ','.
std::string RatingText(int rating, char decimal);
// The command line's form: "4.2 XY-Wing", "0.0" for a solved board, "multiple", "none", or
// "unfinished" where the ladder ran out.
std::string ScoreLine(const Score& score);
// What the window logs after "Schwierigkeit: ": "4,2 (XY-Wing) – Schwer", or why there is none.
std::string ScoreText(const Score& score);

}  // namespace zw::techniques
