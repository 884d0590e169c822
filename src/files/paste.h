// Reading a board from pasted text: the board string itself, or nine rows of nine TAB-separated
// cells as a spreadsheet copies them (an empty cell is an empty board cell), the rows ending in
// CR LF or LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zw {

// The board string the text stands for, nullopt when it is refused. The cells are joined in
// reading order (an empty cell gives a blank, an empty row nothing) and the result must be 81
// characters of digits and blanks. Rows may also end in a bare LF, but only in the form of a
// block of exactly 9 x 9 cells. Since the board string runs down the columns, a pasted
// block lands transposed. Only digits count as numbers: signs, separators and exponents, which
// a locale's number test would let through, are refused.
std::optional<std::string> BoardFromPaste(std::string_view text);

}  // namespace zw
