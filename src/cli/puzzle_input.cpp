#include "cli/puzzle_input.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>

#include "board/board_string.h"
#include "mainwindow/sudoku_file.h"
#include "platform/system_platform.h"

namespace zw::cli {

namespace {

constexpr std::size_t kPuzzleLength = 81;

std::string Describe(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7F)
        return std::string("'") + ch + "'";
    static const char* const kHex = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

bool IsPuzzleFile(std::string_view file) {
    constexpr std::string_view kExtension = ".sudoku";
    if (file.size() < kExtension.size())
        return false;
    const std::string_view tail = file.substr(file.size() - kExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != kExtension[i])
            return false;
    }
    return true;
}

}  // namespace

LineKind ParsePuzzleLine(std::string_view line, std::string& rows, std::string& error) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
        return LineKind::Skip;
    if (line.size() < kPuzzleLength) {
        error = "the line has " + std::to_string(line.size()) + " characters, a puzzle needs 81";
        return LineKind::Bad;
    }
    rows.assign(kPuzzleLength, '.');
    for (std::size_t i = 0; i < kPuzzleLength; ++i) {
        const char ch = line[i];
        if (ch >= '1' && ch <= '9') {
            rows[i] = ch;
        } else if (ch != '.' && ch != '0') {
            error = Describe(ch) + " at column " + std::to_string(i + 1) +
                    " is neither a digit nor '.'";
            return LineKind::Bad;
        }
    }
    return LineKind::Puzzle;
}

PuzzleReader::PuzzleReader(const std::vector<std::string>& files, std::istream& standardInput,
                           std::ostream& err)
    : files_(files), standardInput_(standardInput), err_(err) {}

// A puzzle file of the main window holds a whole log; its puzzle is the board its last line
// shows, as opening it in the window would show it.
void PuzzleReader::ReadPuzzleFile(const std::string& file, std::vector<Puzzle>& batch) {
    std::string bytes, error;
    if (!DiskFileStore().ReadAll(file, bytes, error)) {
        err_ << "zellwerk-cli: " << file << ": cannot read the file\n";
        unreadable_ = true;
        return;
    }
    const std::optional<std::string> snapshot = LastSnapshot(bytes);
    if (!snapshot) {
        err_ << "zellwerk-cli: " << file << ": the puzzle file holds no board (file skipped)\n";
        badLines_ = true;
        return;
    }
    Grid grid;
    SetSuDoKuString(grid, *snapshot);
    std::string rows = RowsFromBoardString(GetSuDoKuString(grid), '.');
    std::replace(rows.begin(), rows.end(), '0', '.');
    batch.push_back({rows});
}

bool PuzzleReader::OpenNext(std::vector<Puzzle>& batch) {
    lineNumber_ = 0;
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
        return true;
    }
    if (IsPuzzleFile(file)) {
        ReadPuzzleFile(file, batch);
        return true;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(file, ec))
        file_.open(file, std::ios::binary);
    if (!file_.is_open()) {
        err_ << "zellwerk-cli: " << file << ": cannot read the file\n";
        unreadable_ = true;
        return true;
    }
    current_ = &file_;
    source_ = file;
    return true;
}

void PuzzleReader::Close() {
    if (current_ == &file_) {
        if (file_.bad()) {
            err_ << "zellwerk-cli: " << source_ << ": reading stopped by an error\n";
            unreadable_ = true;
        }
        file_.close();
        file_.clear();
    }
    current_ = nullptr;
}

void PuzzleReader::Next(std::vector<Puzzle>& batch, std::size_t max) {
    batch.clear();
    while (batch.size() < max) {
        if (current_ == nullptr) {
            if (!OpenNext(batch))
                return;
            continue;
        }
        if (!std::getline(*current_, line_)) {
            Close();
            continue;
        }
        ++lineNumber_;
        switch (ParsePuzzleLine(line_, rows_, error_)) {
            case LineKind::Skip:
                break;
            case LineKind::Puzzle:
                batch.push_back({rows_});
                break;
            case LineKind::Bad:
                err_ << "zellwerk-cli: " << source_ << ":" << lineNumber_ << ": " << error_
                     << " (line skipped)\n";
                badLines_ = true;
                break;
        }
    }
}

}  // namespace zw::cli
