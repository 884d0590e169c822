// The rule check and the open-cell count in one pass, for the solver's inner loops.
#pragma once

#include "board/grid.h"

namespace zw {

struct BoardScan {
    bool rulesOk = true;  // RulesOk
    int openCells = 0;    // CountOpenCells
};

BoardScan ScanBoard(const Grid& grid);

}  // namespace zw
