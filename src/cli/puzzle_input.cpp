#include "cli/puzzle_input.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <system_error>

#include "board/board_string.h"
#include "files/puzzle_text.h"
#include "files/sudoku_file.h"

namespace zw::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPuzzleLength = 81;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// What is kept of a line: a puzzle, and a byte-order mark before it on a file's first line.
constexpr std::size_t kKeptLength = kPuzzleLength + kByteOrderMark.size();
// A puzzle file is read whole, as the window reads it; past this it is refused.
constexpr std::uintmax_t kMaxWholeFileBytes = std::uintmax_t{1} << 30;

constexpr const char* kNoPuzzle =
    "the file holds no puzzle, neither a line of 81 cells nor a grid of 9 rows of 9";
constexpr const char* kUtf16 = "the file is UTF-16 text, which is not read; save it as UTF-8";

std::string Describe(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7F)
        return std::string("'") + ch + "'";
    static const char* const kHex = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

bool IsPuzzleFile(std::string_view file) {
    return HasExtension(file, ".sudoku");
}

// The files of other Sudoku programs that hold one puzzle as a grid; a .txt file is read line
// by line like any other, where grids are found as well.
bool IsGridFile(std::string_view file) {
    return HasExtension(file, ".sdk") || HasExtension(file, ".ss");
}

// Whether every character is a digit or '.', eight at a time in a word: a byte's high bit
// marks the answer for it, and no byte's arithmetic reaches the next.
bool DigitsAndDots(std::string_view text) {
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHigh = kOnes << 7, kLow = ~kHigh;
    std::uint64_t wrong = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, sizeof w);
        const std::uint64_t digit = w ^ (kOnes * '0');  // 0-9 where a digit stands
        const std::uint64_t notDigit = ((digit | kHigh) - kOnes * 10) | digit;
        const std::uint64_t dot = w ^ (kOnes * '.');  // 0 where a '.' stands
        const std::uint64_t isDot = ~(((dot & kLow) + kLow) | dot);
        wrong |= notDigit & ~isDot & kHigh;
    }
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        wrong |= (static_cast<unsigned char>(ch - '0') > 9) & (ch != '.');
    }
    return wrong == 0;
}

}  // namespace

bool LooksLikeUtf16(std::string_view start) {
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF"))
        return true;
    return start.size() >= 2 && (start[0] == '\0') != (start[1] == '\0');
}

LineKind ParsePuzzleLine(std::string_view line, std::string& board, std::string& error) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
        return LineKind::Skip;
    if (line.size() < kPuzzleLength) {
        error = "the line has " + std::to_string(line.size()) + " characters, a puzzle needs 81";
        return LineKind::Bad;
    }
    // Without a branch per cell: which cells hold a digit is anyone's guess, and a wrong
    // character is rare.
    if (DigitsAndDots(line.substr(0, kPuzzleLength))) {
        board.resize(kPuzzleLength);
        BoardStringFromRows(line.substr(0, kPuzzleLength), board.data());
        return LineKind::Puzzle;
    }
    const std::size_t i = line.find_first_not_of(".0123456789");
    error =
        Describe(line[i]) + " at column " + std::to_string(i + 1) + " is neither a digit nor '.'";
    return LineKind::Bad;
}

PuzzleReader::PuzzleReader(const std::vector<std::string>& files, std::istream& standardInput,
                           std::ostream& err)
    : files_(files), standardInput_(standardInput), err_(err) {}

void PuzzleReader::CannotRead(const std::string& file, const std::string& reason) {
    err_ << "zellwerk-cli: " << file << ": cannot read the file: " << reason << "\n";
    unreadable_ = true;
}

bool PuzzleReader::Open(const std::string& file, bool wholeFile) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec) {
        CannotRead(file, ec.message());
        return false;
    }
    if (fs::is_directory(status)) {
        CannotRead(file, std::make_error_code(std::errc::is_a_directory).message());
        return false;
    }
    // A file read whole must have an end and fit in memory; lines are read as they come.
    if (wholeFile && !fs::is_regular_file(status)) {
        CannotRead(file, "it is not a regular file");
        return false;
    }
    if (wholeFile && fs::file_size(file, ec) > kMaxWholeFileBytes && !ec) {
        CannotRead(file, "it is larger than 1 GB");
        return false;
    }
    errno = 0;
    file_.open(file, std::ios::binary);
    if (!file_.is_open()) {
        const int code = errno != 0 ? errno : static_cast<int>(std::errc::permission_denied);
        CannotRead(file, std::generic_category().message(code));
        return false;
    }
    return true;
}

bool PuzzleReader::ReadWhole(const std::string& file, std::string& bytes) {
    if (!Open(file, true))
        return false;
    std::array<char, 1 << 16> chunk;
    while (file_.read(chunk.data(), chunk.size()) || file_.gcount() > 0)
        bytes.append(chunk.data(), static_cast<std::size_t>(file_.gcount()));
    const bool failed = file_.bad();
    file_.close();
    file_.clear();
    if (failed) {
        CannotRead(file, "reading stopped by an error");
        return false;
    }
    return true;
}

bool PuzzleReader::ReadGame(const std::string& file, std::string& bytes) {
    const bool standardInput = file == "-";
    const std::string name = standardInput ? "<stdin>" : file;
    if (standardInput) {
        std::array<char, 1 << 16> chunk;
        for (std::streamsize got = 0;
             (got = standardInput_.rdbuf()->sgetn(chunk.data(), chunk.size())) > 0;) {
            bytes.append(chunk.data(), static_cast<std::size_t>(got));
            if (bytes.size() > kMaxWholeFileBytes) {
                CannotRead(name, "it is larger than 1 GB");
                return false;
            }
        }
    } else if (!ReadWhole(file, bytes)) {
        return false;
    }
    if (LooksLikeUtf16(bytes)) {
        ReportSkippedFile(name, kUtf16);
        return false;
    }
    // The window opens no file without a board line; neither does the tool.
    if (!HoldsBoardLine(bytes)) {
        ReportSkippedFile(name, "the puzzle file holds no board");
        return false;
    }
    return true;
}

void PuzzleReader::ReadGridFile(const std::string& file, std::vector<Puzzle>& batch) {
    std::string bytes;
    if (!ReadWhole(file, bytes))
        return;
    std::optional<std::string> board = BoardFromPuzzleText(bytes);
    if (!board) {
        ReportSkippedFile(file, LooksLikeUtf16(bytes) ? kUtf16 : kNoPuzzle);
        return;
    }
    batch.push_back({std::move(*board)});
}

// A puzzle file of the main window holds a whole log; its puzzle is the board its last line
// shows, read as the window reads it: only a blank is an open cell, and any other character,
// a "0" or a "." as much as a letter, is placed and breaks the rules.
void PuzzleReader::ReadPuzzleFile(const std::string& file, std::vector<Puzzle>& batch) {
    std::string bytes;
    if (!ReadGame(file, bytes))
        return;
    batch.push_back({*LastSnapshot(bytes)});
}

bool PuzzleReader::OpenNext(std::vector<Puzzle>& batch) {
    lineNumber_ = 0;
    sourceSaidAnything_ = false;
    if (files_.empty()) {
        if (standardInputTaken_)
            return false;
        standardInputTaken_ = true;
        current_ = &standardInput_;
        source_ = "<stdin>";
        return true;
    }
    if (nextFile_ == files_.size())
        return false;
    const std::string& file = files_[nextFile_++];
    if (file == "-") {
        current_ = &standardInput_;
        source_ = "<stdin>";
    } else if (IsPuzzleFile(file)) {
        ReadPuzzleFile(file, batch);
    } else if (IsGridFile(file)) {
        ReadGridFile(file, batch);
    } else if (Open(file, false)) {
        current_ = &file_;
        source_ = file;
    }
    return true;
}

bool PuzzleReader::Fill() {
    // What the stream has at hand, at least one byte: more would wait for input that has not
    // come yet, while answers before it could already be out.
    std::streambuf& in = *current_->rdbuf();
    const std::streamsize want =
        std::clamp<std::streamsize>(in.in_avail(), 1, static_cast<std::streamsize>(kBufferSize));
    begin_ = 0;
    end_ = static_cast<std::size_t>(std::max<std::streamsize>(in.sgetn(buffer_.data(), want), 0));
    return end_ > 0;
}

bool PuzzleReader::ReadLine() {
    line_.clear();
    lineCut_ = false;
    bool any = false;
    char end = '\0';
    while (end == '\0') {
        if (begin_ == end_ && !Fill())
            break;
        any = true;
        const char* start = buffer_.data() + begin_;
        const std::size_t size = end_ - begin_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', size));
        const std::size_t upToLf = lf ? static_cast<std::size_t>(lf - start) : size;
        const auto* cr = static_cast<const char*>(std::memchr(start, '\r', upToLf));
        const std::size_t length = cr ? static_cast<std::size_t>(cr - start) : upToLf;
        // Characters past what a puzzle needs are dropped as they come: a line without an end
        // must not fill the memory.
        const std::size_t kept = std::min(length, kKeptLength - line_.size());
        line_.append(start, kept);
        lineCut_ = lineCut_ || kept < length;
        begin_ += length;
        if (begin_ < end_)
            end = buffer_[begin_++];
    }
    if (!any)
        return false;
    if (end == '\r' && (begin_ < end_ || Fill()) && buffer_[begin_] == '\n')
        ++begin_;
    ++lineNumber_;
    if (lineNumber_ == 1 && line_.starts_with(kByteOrderMark))
        line_.erase(0, kByteOrderMark.size());
    return true;
}

// A line that is no puzzle may be part of a grid: it is held back until the grid is whole (then
// it was no mistake) or broken off (then it is reported as it would have been at once).
void PuzzleReader::GridLine(std::vector<Puzzle>& batch) {
    const GridLineKind kind = lineCut_ ? GridLineKind::Other : ClassifyGridLine(line_, &cells_);
    if (kind == GridLineKind::Other) {
        ReportGridLines();
        ReportBadLine(lineNumber_, error_);
        return;
    }
    heldBack_.emplace_back(lineNumber_, error_);
    if (kind == GridLineKind::Row)
        gridRows_ += cells_;
    if (gridRows_.size() == kPuzzleLength) {
        batch.push_back({BoardStringFromRows(gridRows_)});
        sourceSaidAnything_ = true;
        heldBack_.clear();
        gridRows_.clear();
    }
}

void PuzzleReader::ReportGridLines() {
    for (const auto& [line, error] : heldBack_)
        ReportBadLine(line, error);
    heldBack_.clear();
    gridRows_.clear();
}

void PuzzleReader::ReportBadLine(long line, const std::string& error) {
    err_ << "zellwerk-cli: " << source_ << ":" << line << ": " << error << " (line skipped)\n";
    badLines_ = true;
    sourceSaidAnything_ = true;
}

void PuzzleReader::ReportSkippedFile(const std::string& file, const std::string& reason) {
    err_ << "zellwerk-cli: " << file << ": " << reason << " (file skipped)\n";
    badLines_ = true;
    sourceSaidAnything_ = true;
}

void PuzzleReader::Close() {
    ReportGridLines();
    // Standard input may be empty on purpose (a pipe with nothing to pass on); a named file
    // without a puzzle was most likely named by mistake.
    if (current_ == &file_ && !sourceSaidAnything_)
        ReportSkippedFile(source_, kNoPuzzle);
    sourceSaidAnything_ = false;
    if (current_ == &file_) {
        file_.close();
        file_.clear();
    }
    current_ = nullptr;
    begin_ = end_ = 0;
}

void PuzzleReader::Next(std::vector<Puzzle>& batch, std::size_t max) {
    batch.clear();
    while (batch.size() < max) {
        if (current_ == nullptr) {
            if (!OpenNext(batch))
                return;
            continue;
        }
        bool more = false;
        try {
            more = ReadLine();
        } catch (const std::ios_base::failure& e) {
            // The file buffer throws when a read fails.
            err_ << "zellwerk-cli: " << source_
                 << ": reading stopped by an error: " << e.code().message() << "\n";
            unreadable_ = true;
            sourceSaidAnything_ = true;
        }
        if (!more) {
            Close();
            continue;
        }
        if (lineNumber_ == 1 && LooksLikeUtf16(line_)) {
            ReportSkippedFile(source_, kUtf16);
            Close();
            continue;
        }
        switch (ParsePuzzleLine(line_, board_, error_)) {
            case LineKind::Skip:
                break;
            case LineKind::Puzzle:
                ReportGridLines();
                batch.push_back({board_});
                sourceSaidAnything_ = true;
                break;
            case LineKind::Bad:
                GridLine(batch);
                break;
        }
        if (!batch.empty() && begin_ == end_ && current_->rdbuf()->in_avail() <= 0)
            return;
    }
}

}  // namespace zw::cli
