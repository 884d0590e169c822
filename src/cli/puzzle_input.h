// Puzzle lines for the command-line tool, from files or standard input.
//
// A puzzle line starts with 81 characters, the board row by row: "1"-"9" are givens, "." and
// "0" blanks. The rest of the line is ignored; empty lines and lines starting with "#" are
// skipped. A shorter line, or one with any other character among its first 81, is reported
// with its file and line number and skipped. A file named *.sudoku is a puzzle file of the main
// window: its one puzzle is the board of its last log line.
#pragma once

#include <fstream>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace zw::cli {

struct Puzzle {
    std::string rows;  // 81 characters, "1"-"9" and "."
};

enum class LineKind { Skip, Puzzle, Bad };

// Classifies one line (without its line end; a trailing CR is ignored). For a puzzle, `rows`
// gets the board; for a bad line, `error` says what is wrong.
LineKind ParsePuzzleLine(std::string_view line, std::string& rows, std::string& error);

// Reads every named file in order ("-" or no name at all: standard input), a batch of puzzles
// at a time, so a long input is never held whole in memory. Problems go to `err`, one line
// each, as the lines are read.
class PuzzleReader {
public:
    PuzzleReader(const std::vector<std::string>& files, std::istream& standardInput,
                 std::ostream& err);

    // Replaces `batch` with the next puzzles, at most `max` of them; empty at the end.
    void Next(std::vector<Puzzle>& batch, std::size_t max);

    bool BadLines() const { return badLines_; }      // some line was reported and skipped
    bool Unreadable() const { return unreadable_; }  // some file could not be read

private:
    // Opens the next file, or reads it whole when it is a puzzle file; false when none is left.
    bool OpenNext(std::vector<Puzzle>& batch);
    void ReadPuzzleFile(const std::string& file, std::vector<Puzzle>& batch);
    void Close();

    const std::vector<std::string>& files_;
    std::istream& standardInput_;
    std::ostream& err_;
    std::size_t nextFile_ = 0;
    bool standardInputTaken_ = false;
    std::ifstream file_;
    std::istream* current_ = nullptr;  // the stream being read, if any
    std::string source_;
    long lineNumber_ = 0;
    std::string line_, rows_, error_;
    bool badLines_ = false;
    bool unreadable_ = false;
};

}  // namespace zw::cli
