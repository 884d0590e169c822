// The 81-character board string: the board column by column (character k, from 0, is the cell
// in row k mod 9, column k div 9), a digit for a cell holding one digit "0"-"9", a blank for
// every other cell. The one exchange form for whole boards.
#pragma once

#include <string>
#include <string_view>

#include "board/grid.h"

namespace zw {

constexpr int kBoardStringLength = 81;

// Cell k gets character k of the string with blanks trimmed: a blank gives the empty text, any
// other character is stored as it is, a position past the end gives the empty text, characters
// after the 81st are ignored. Writes texts only.
void SetSuDoKuString(Grid& grid, std::string_view suDoKu);
std::string GetSuDoKuString(const Grid& grid);
// Writes the board string into out[0..80] (no allocation, for hot loops).
void GetSuDoKuString(const Grid& grid, char* out);
int CountOpenCells(const Grid& grid);
void ClearBoard(Grid& grid);

// Row-major puzzle lines ("1-9" givens, "." or "0" blanks) to and from board strings.
std::string BoardStringFromRows(std::string_view rows);
// Writes the board string of `rows` into out[0..80] (no allocation, for hot loops).
void BoardStringFromRows(std::string_view rows, char* out);
std::string RowsFromBoardString(std::string_view board, char blank = '.');

}  // namespace zw
