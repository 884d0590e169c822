// Puzzle lines for the command-line tool, from files or standard input.
//
// A puzzle line starts with 81 characters, the board row by row: "1"-"9" are givens, "." and
// "0" blanks. The rest of the line is ignored; empty lines and lines starting with "#" are
// skipped. A shorter line, or one with any other character among its first 81, is reported
// with its file and line number and skipped. Lines end in LF, CR LF or CR; a UTF-8 byte-order
// mark at the start of a file is skipped. Nine lines that are no puzzle lines but the rows of a
// 9 x 9 grid (puzzle_text.h; separator lines, empty lines and comments may stand between them)
// are one puzzle, row by row. A file named *.sudoku is a puzzle file of the main window: its one
// puzzle is the board of its last log line. A file named *.sdk or *.ss holds one puzzle as
// another Sudoku program wrote it: a grid, a "[Puzzle]" section or a puzzle line.
#pragma once

#include <fstream>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zw::cli {

struct Puzzle {
    // The board string (column by column): "1"-"9" givens, blanks open. A puzzle file may also
    // place any other character (UTF-8), which breaks the rules as it does on the window's board.
    std::string board;
};

enum class LineKind { Skip, Puzzle, Bad };

// Classifies one line (without its line end; a trailing CR is ignored). For a puzzle, `board`
// gets its board string; for a bad line, `error` says what is wrong.
LineKind ParsePuzzleLine(std::string_view line, std::string& board, std::string& error);

// Whether text starts as UTF-16 does: with its byte-order mark, or a character beside a NUL.
bool LooksLikeUtf16(std::string_view start);

// Reads every named file in order ("-" or no name at all: standard input), a few puzzles at a
// time, keeping no more of a line than a puzzle needs, so input of any length or line length
// runs in bounded memory. Problems go to `err`, one line each, as the lines are read.
class PuzzleReader {
public:
    PuzzleReader(const std::vector<std::string>& files, std::istream& standardInput,
                 std::ostream& err);

    // Replaces `batch` with the next puzzles, at most `max` of them; empty at the end. Returns
    // early with what it has when the input has nothing more at hand, so an answer need not
    // wait for input that has not come yet.
    void Next(std::vector<Puzzle>& batch, std::size_t max);

    bool BadLines() const { return badLines_; }      // some line was reported and skipped
    bool Unreadable() const { return unreadable_; }  // some file could not be read

    // Reads a file that must be read whole (a regular file of at most 1 GB), or says why not.
    bool ReadWhole(const std::string& file, std::string& bytes);
    // Reads a puzzle file of the window whole ("-": standard input) and refuses, saying why,
    // one that holds no board.
    bool ReadGame(const std::string& file, std::string& bytes);

private:
    // Opens the next file, or reads it whole when it is a puzzle file; false when none is left.
    bool OpenNext(std::vector<Puzzle>& batch);
    void ReadPuzzleFile(const std::string& file, std::vector<Puzzle>& batch);
    void ReadGridFile(const std::string& file, std::vector<Puzzle>& batch);
    // line_, which is no puzzle line: held back as a grid's line, or reported.
    void GridLine(std::vector<Puzzle>& batch);
    void ReportGridLines();  // the lines held back for a grid that did not come whole
    void ReportBadLine(long line, const std::string& error);
    void ReportSkippedFile(const std::string& file, const std::string& reason);
    // Opens `file` into file_, or says why not; a file read whole must be a regular one.
    bool Open(const std::string& file, bool wholeFile);
    void CannotRead(const std::string& file, const std::string& reason);
    // The next line of the current stream into line_, cut to what a puzzle needs; false at its
    // end.
    bool ReadLine();
    // Reads the next bytes of the current stream into buffer_; false at its end.
    bool Fill();
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
    static constexpr std::size_t kBufferSize = 1 << 16;
    std::vector<char> buffer_ = std::vector<char>(kBufferSize);
    std::size_t begin_ = 0, end_ = 0;  // the bytes of buffer_ not yet read
    std::string line_, board_, error_;
    bool lineCut_ = false;             // line_ lost characters past what a puzzle needs
    bool sourceSaidAnything_ = false;  // the current source gave a puzzle or a complaint
    std::string cells_, gridRows_;     // a grid's rows so far, row by row
    std::vector<std::pair<long, std::string>> heldBack_;  // its lines: number and complaint
    bool badLines_ = false;
    bool unreadable_ = false;
};

}  // namespace zw::cli
