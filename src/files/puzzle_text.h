// Puzzles as people exchange them in text: an 81-character line read row by row ("1"-"9" givens,
// "." or "0" blanks), or a 9 x 9 grid of such cells, row by row, with or without "|", "-" and "+"
// drawn between boxes (as the .ss files of other Sudoku programs hold them). A .sdk file is such
// a grid, on its own or in its "[Puzzle]" section. Every reader returns the board string (column
// by column), so a row-by-row puzzle lands the right way round.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zw {

enum class GridLineKind { Row, Separator, Other };

// One line of a text grid (no line end): a row of exactly nine cells once blanks, TABs and "|"
// are dropped, each "1"-"9", "." or "0"; a separator drawn only from "-", "=", "+", "|", "*" and
// blanks; or anything else. For a row, `cells` gets its nine cells with "." for a blank.
GridLineKind ClassifyGridLine(std::string_view line, std::string* cells = nullptr);

// Exactly 81 characters of "1"-"9", "." and "0", one line end after them allowed.
std::optional<std::string> BoardFromPuzzleLine(std::string_view text);

// The whole text is one grid: nine rows, with separators and empty lines anywhere, nothing else.
std::optional<std::string> BoardFromTextGrid(std::string_view text);

// The first puzzle of a text file: the first line whose first 81 characters are a puzzle line,
// or the first nine rows of a grid that follow one another (separators, empty lines and "#"
// comments may stand between them). Only the "[Puzzle]" section counts when the file has one.
std::optional<std::string> BoardFromPuzzleText(std::string_view text);

// A file read as puzzle text rather than as a .sudoku log: *.txt, *.sdk, *.ss, in any case.
bool IsPuzzleTextFile(std::string_view path);

// Whether `path` ends in `extension` (lower case, its dot included), in any case.
bool HasExtension(std::string_view path, std::string_view extension);

}  // namespace zw
