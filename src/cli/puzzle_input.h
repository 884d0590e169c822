// Puzzle lines for the command-line tool, from files or standard input.
//
// A puzzle line starts with 81 characters, the board row by row: "1"-"9" are givens, "." and
// "0" blanks. The rest of the line is ignored; empty lines and lines starting with "#" are
// skipped. A shorter line, or one with any other character among its first 81, is reported
// with its file and line number and skipped. A file named *.sudoku is a puzzle file of the main
// window: its one puzzle is the board of its last log line.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace zw::cli {

struct Puzzle {
    std::string rows;  // 81 characters, "1"-"9" and "."
};

struct PuzzleInput {
    std::vector<Puzzle> puzzles;
    bool badLines = false;    // some line was reported and skipped
    bool unreadable = false;  // some file could not be read
};

enum class LineKind { Skip, Puzzle, Bad };

// Classifies one line (without its line end; a trailing CR is ignored). For a puzzle, `rows`
// gets the board; for a bad line, `error` says what is wrong.
LineKind ParsePuzzleLine(std::string_view line, std::string& rows, std::string& error);

// Reads every named file in order ("-" or no name at all: standard input). Problems go to
// `err`, one line each.
PuzzleInput ReadPuzzles(const std::vector<std::string>& files, std::istream& standardInput,
                        std::ostream& err);

}  // namespace zw::cli
