// Shared helpers for core tests: boards from row-major text, and a main window on the in-memory
// platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "board/grid.h"
#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"

namespace zw::test {

// Fills the grid from 81 row-major characters ("1"-"9" givens, "." "0" or " " blanks).
void SetRows(Grid& grid, std::string_view rows);
// The 81 cell texts row by row, "|" between cells: a readable picture of the board.
std::string CellTexts(const Grid& grid);
// Reads puzzle lines (81 row-major characters each) from a file; empty when it is missing.
std::vector<std::string> ReadPuzzleLines(const std::string& path, std::size_t max = 0);
std::string SharedData(const std::string& name);

// A main window on the in-memory platform, loaded as at start-up.
struct FormFixture {
    FormFixture();
    MemoryPlatform mp;
    frmMain form{mp.platform};
    std::vector<std::string> LogMessages() const;  // line texts without the time and TAB
};

}  // namespace zw::test
