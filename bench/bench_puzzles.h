// The puzzle sets of data/puzzles as the benchmarks read them. A missing or empty set stops the
// run: a figure over no puzzles would mean nothing.
#pragma once

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "board/board_string.h"

namespace zw::bench {

inline std::ifstream OpenPuzzleData(const std::string& name) {
    const std::string path = std::string(ZW_PUZZLE_DIR) + "/" + name;
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        std::exit(2);
    }
    return in;
}

// The boards of a set, at most `max`: every line the command-line tool reads as a puzzle.
inline std::vector<std::string> PuzzleBoards(
    const std::string& name, std::size_t max = std::numeric_limits<std::size_t>::max()) {
    std::ifstream in = OpenPuzzleData(name);
    std::vector<std::string> boards;
    for (std::string line; boards.size() < max && std::getline(in, line);) {
        if (line.size() >= 81 && line.find_first_not_of("123456789.0") >= 81)
            boards.push_back(BoardStringFromRows(line.substr(0, 81)));
    }
    if (boards.empty()) {
        std::cerr << "no puzzle in " << ZW_PUZZLE_DIR << "/" << name << "\n";
        std::exit(2);
    }
    return boards;
}

}  // namespace zw::bench
