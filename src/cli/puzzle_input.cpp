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

void ReadStream(std::istream& in, const std::string& source, std::ostream& err,
                PuzzleInput& input) {
    std::string line, rows, error;
    long number = 0;
    while (std::getline(in, line)) {
        ++number;
        switch (ParsePuzzleLine(line, rows, error)) {
            case LineKind::Skip:
                break;
            case LineKind::Puzzle:
                input.puzzles.push_back({rows});
                break;
            case LineKind::Bad:
                err << "zellwerk-cli: " << source << ":" << number << ": " << error
                    << " (line skipped)\n";
                input.badLines = true;
                break;
        }
    }
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

// A puzzle file of the main window holds a whole log; its puzzle is the board its last line
// shows, as opening it in the window would show it.
void ReadPuzzleFile(const std::string& file, std::ostream& err, PuzzleInput& input) {
    std::string bytes, error;
    if (!DiskFileStore().ReadAll(file, bytes, error)) {
        err << "zellwerk-cli: " << file << ": cannot read the file\n";
        input.unreadable = true;
        return;
    }
    const std::optional<std::string> snapshot = LastSnapshot(bytes);
    if (!snapshot) {
        err << "zellwerk-cli: " << file << ": the puzzle file holds no board (file skipped)\n";
        input.badLines = true;
        return;
    }
    Grid grid;
    SetSuDoKuString(grid, *snapshot);
    std::string rows = RowsFromBoardString(GetSuDoKuString(grid), '.');
    std::replace(rows.begin(), rows.end(), '0', '.');
    input.puzzles.push_back({rows});
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

PuzzleInput ReadPuzzles(const std::vector<std::string>& files, std::istream& standardInput,
                        std::ostream& err) {
    PuzzleInput input;
    if (files.empty()) {
        ReadStream(standardInput, "<stdin>", err, input);
        return input;
    }
    for (const std::string& file : files) {
        if (file == "-") {
            ReadStream(standardInput, "<stdin>", err, input);
            continue;
        }
        if (IsPuzzleFile(file)) {
            ReadPuzzleFile(file, err, input);
            continue;
        }
        std::error_code ec;
        std::ifstream in;
        if (!std::filesystem::is_directory(file, ec))
            in.open(file, std::ios::binary);
        if (!in.is_open()) {
            err << "zellwerk-cli: " << file << ": cannot read the file\n";
            input.unreadable = true;
            continue;
        }
        ReadStream(in, file, err, input);
        if (in.bad()) {
            err << "zellwerk-cli: " << file << ": reading stopped by an error\n";
            input.unreadable = true;
        }
    }
    return input;
}

}  // namespace zw::cli
