// Reading a board from pasted text: the board string itself, or nine rows of nine TAB-separated
// cells as a spreadsheet copies them (an empty cell is an empty board cell), the rows ending in
// CR LF or LF; besides, a puzzle as people exchange it (puzzle_text.h): an 81-character line
// with "." or "0" blanks, or a 9 x 9 text grid, both read row by row.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zw {

// The board string the text stands for, nullopt when it is refused. The cells are joined in
// reading order (an empty cell gives a blank, an empty row nothing) and the result must be 81
// characters of digits and blanks. Rows may also end in a bare LF, but only in the form of a
// block of exactly 9 x 9 cells. A text with TABs is a spreadsheet's: its cells, read in that
// order, are the board row by row, while text without TABs keeps the board string's order
// (down the columns), as Copy writes it. Only digits count as numbers: signs, separators and
// exponents, which a locale's number test would let through, are refused. A text holding a "." or
// "0" blank or a box line is first read as an exchanged puzzle; one of digits and blanks alone
// keeps the board string's meaning, and a grid of them is read row by row only when nothing else
// takes it.
std::optional<std::string> BoardFromPaste(std::string_view text);

}  // namespace zw
