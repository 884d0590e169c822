// The booklet: how many puzzles, which difficulties, and its pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/page.h"
#include "platform/platform.h"
#include "techniques/score.h"

namespace zw {

constexpr int kMinBookletPuzzles = 1;
constexpr int kMaxBookletPuzzles = 500;

// The number typed into the booklet dialog: blanks, tabs and line feeds anywhere are ignored,
// the longest leading part of the rest that forms a decimal number (a point as the separator,
// an optional sign and exponent) is read and rounded down; a text that does not begin with a
// number gives 0. Far too large values come back clamped, never overflowed.
long long ReadPuzzleCount(std::string_view text);

// The checked difficulties in the order Leicht, Mittel, Schwer; the puzzles take them in turn.
// None checked: every puzzle is a "Mittel" one.
std::vector<techniques::Level> BookletLevels(const NewHeftOptions& options);

struct BookletPuzzle {
    int number = 0;        // 1-based, as on its page
    std::string level;     // "Leicht", "Mittel", "Schwer", ...
    int rating = 0;        // its score, tenths; 0 for none
    std::string puzzle;    // board strings
    std::string solution;  // empty when the booklet has no solutions
};

struct BookletContent {
    std::string date;
    std::vector<BookletPuzzle> puzzles;
    bool withSolutions = false;
};

// The messages when the series made no puzzle, and when the file could not be written (the
// printer's reason follows).
inline constexpr std::string_view kNoBookletPuzzle =
    "Es wurde kein SuDoKu fertig; es gibt kein Heft zu speichern.";
inline constexpr std::string_view kBookletNotSaved =
    "Das SuDoKu-Heft konnte nicht gespeichert werden. ";

struct SeriesPuzzle;
// The booklet of a series: the puzzles with exactly one solution, numbered in order, with their
// solutions when `withSolutions`.
BookletContent BookletOf(const std::vector<SeriesPuzzle>& series, std::string date,
                         bool withSolutions);

// Lays out the whole booklet on a document that has been begun (the caller ends it): a title
// page, the puzzles two to an A4 page, and with solutions, twelve smaller solutions a page.
void LayOutBooklet(Printer& printer, const BookletContent& booklet);

}  // namespace zw
