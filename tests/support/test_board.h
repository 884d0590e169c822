// Shared helpers for core tests: boards from row-major text, and a main window on the in-memory
// platform.
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "board/board_string.h"
#include "board/grid.h"
#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"
#include "solver/solver_context.h"

namespace zw::test {

// Puzzles several tests share, row by row.
inline constexpr std::string_view kSolved =  // a full valid board
    "123456789456789123789123456231674895875912364694538217317265948542897631968341572";
inline constexpr std::string_view kHard =  // one solution, beyond the logic alone
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
inline constexpr std::string_view kHardSolution =
    "417369825632158947958724316825437169791586432346912758289643571573291684164875293";
inline constexpr std::string_view kTwoSolutions =
    "1..45..8...6789...7891.34....16748..8.5.12..46..53.2...17265..854.89...1....4..7.";
inline constexpr std::string_view kNoSolution =  // keeps the rules, has no solution
    "......6.17.2......5.........6.2......3....4.....5.7.........52.....1..7.8...4....";

// Fills the grid from 81 row-major characters ("1"-"9" givens, "." "0" or " " blanks).
inline void SetRows(Grid& grid, std::string_view rows) {
    SetSuDoKuString(grid, BoardStringFromRows(rows));
}
// The 81 cell texts row by row, "|" between cells: a readable picture of the board.
inline std::string CellTexts(const Grid& grid) {
    std::string out;
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c)
            (out += grid.Text(r, c)) += c == 8 ? "\n" : "|";
    }
    return out;
}
// Reads puzzle lines (81 row-major characters each) from a file. Throws, naming the file, when
// it cannot be read or holds no puzzle: a test must never pass on zero puzzles.
inline std::vector<std::string> ReadPuzzleLines(const std::string& path, std::size_t max = 0) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read the puzzle set " + path);
    std::string line;
    while (std::getline(in, line) && (max == 0 || lines.size() < max)) {
        if (line.size() >= 81)
            lines.push_back(line.substr(0, 81));
    }
    if (lines.empty())
        throw std::runtime_error("no puzzle in " + path);
    return lines;
}
// The path of a puzzle set of data/puzzles as the build prepares it ("top95.txt", ...).
inline std::string PuzzleFile(const std::string& name) {
    return std::string(ZW_PUZZLE_DIR) + "/" + name;
}
// A file's bytes; none when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The log's line texts without the time and TAB.
inline std::vector<std::string> LogMessages(const frmMain& form) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < form.List1.lines.Count(); ++i) {
        const std::string_view line = form.List1.lines[i];
        const auto tab = line.find('\t');
        out.emplace_back(tab == std::string_view::npos ? line : line.substr(tab + 1));
    }
    return out;
}

// A solver whose pump calls are counted and whose log lines are kept, with a clock of its own.
struct LoggedSolver {
    CountingEventPump pump;
    std::vector<std::string> logged;
    StandaloneSolver s{{.events = &pump,
                        .log = [this](std::string_view line) { logged.emplace_back(line); }}};
    FakeClock clock;
};

// A main window on the in-memory platform, loaded as at start-up.
struct FormFixture {
    FormFixture() { form.Form_Load(); }
    MemoryPlatform mp;
    frmMain form{mp.platform};
    std::vector<std::string> LogMessages() const { return test::LogMessages(form); }
};

}  // namespace zw::test
