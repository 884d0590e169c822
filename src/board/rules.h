#pragma once

#include "board/grid.h"

namespace zw {

// True when no row, column or box holds a placed cell that is not "1"-"9" or a digit twice.
// Open cells (empty or candidate strings) are ignored.
bool RulesOk(const Grid& grid);

}  // namespace zw
