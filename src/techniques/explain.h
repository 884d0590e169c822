// The whole path of tips through a board, as zellwerk-cli explain prints it.
#pragma once

#include <array>
#include <string>

#include "board/grid.h"

namespace zw {

// A line per step: its rating in brackets ("[4.2] "), where to look and what follows, each
// said once; then a line on the board the steps end with. Texts without the window's "Tipp: ".
std::string ExplainText(const std::array<CellValue, kCellCount>& cells);

}  // namespace zw
