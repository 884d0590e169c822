#include "files/puzzle_text.h"

#include <cctype>

#include "board/board_string.h"

namespace zw {

namespace {

constexpr std::size_t kCells = 81;
constexpr int kSide = 9;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsCell(char ch) {
    return ch == '.' || (ch >= '0' && ch <= '9');
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

// Cuts the next line off `text`; lines end in LF, CR LF or CR.
std::string_view NextLine(std::string_view& text) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return line;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i])
            return false;
    }
    return true;
}

// The part of a file that holds its puzzle: its "[Puzzle]" section when it has one.
std::string_view PuzzleSection(std::string_view text) {
    std::string_view rest = text;
    while (!rest.empty()) {
        if (EqualsNoCase(Trimmed(NextLine(rest)), "[puzzle]")) {
            std::string_view section = rest;
            std::string_view scan = rest;
            while (!scan.empty()) {
                const std::string_view before = scan;
                if (Trimmed(NextLine(scan)).starts_with('['))
                    return section.substr(0, section.size() - before.size());
            }
            return section;
        }
    }
    return text;
}

}  // namespace

GridLineKind ClassifyGridLine(std::string_view line, std::string* cells) {
    std::string row;
    bool drawn = false;  // a separator needs a stroke, not only frame corners
    bool separator = true;
    bool other = false;
    for (char ch : line) {
        if (ch == ' ' || ch == '\t' || ch == '|')
            continue;
        if (ch == '-' || ch == '=')
            drawn = true;
        else if (ch != '+' && ch != '*')
            separator = false;
        if (!IsCell(ch))
            other = true;
        else if (row.size() <= static_cast<std::size_t>(kSide))
            row += ch == '0' ? '.' : ch;
    }
    if (separator && drawn)
        return GridLineKind::Separator;
    if (other || row.size() != static_cast<std::size_t>(kSide))
        return GridLineKind::Other;
    if (cells)
        *cells = std::move(row);
    return GridLineKind::Row;
}

std::optional<std::string> BoardFromPuzzleLine(std::string_view text) {
    if (text.ends_with('\n'))
        text.remove_suffix(1);
    if (text.ends_with('\r'))
        text.remove_suffix(1);
    if (text.size() != kCells)
        return std::nullopt;
    for (char ch : text) {
        if (!IsCell(ch))
            return std::nullopt;
    }
    return BoardStringFromRows(text);
}

std::optional<std::string> BoardFromTextGrid(std::string_view text) {
    std::string rows, cells;
    int count = 0;
    while (!text.empty()) {
        const std::string_view line = NextLine(text);
        if (Trimmed(line).empty())
            continue;
        switch (ClassifyGridLine(line, &cells)) {
            case GridLineKind::Separator:
                break;
            case GridLineKind::Row:
                if (++count > kSide)
                    return std::nullopt;
                rows += cells;
                break;
            case GridLineKind::Other:
                return std::nullopt;
        }
    }
    if (count != kSide)
        return std::nullopt;
    return BoardStringFromRows(rows);
}

std::optional<std::string> BoardFromPuzzleText(std::string_view text) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    text = PuzzleSection(text);
    std::string rows, cells;
    while (!text.empty()) {
        const std::string_view line = Trimmed(NextLine(text));
        if (line.empty() || line.starts_with('#'))
            continue;
        if (rows.empty() && line.size() >= kCells) {
            if (std::optional<std::string> board = BoardFromPuzzleLine(line.substr(0, kCells)))
                return board;
        }
        switch (ClassifyGridLine(line, &cells)) {
            case GridLineKind::Separator:
                break;
            case GridLineKind::Row:
                rows += cells;
                if (rows.size() == kCells)
                    return BoardStringFromRows(rows);
                break;
            case GridLineKind::Other:
                rows.clear();  // a grid's rows follow one another
                break;
        }
    }
    return std::nullopt;
}

bool IsPuzzleTextFile(std::string_view path) {
    return HasExtension(path, ".txt") || HasExtension(path, ".sdk") || HasExtension(path, ".ss");
}

bool HasExtension(std::string_view path, std::string_view extension) {
    return path.size() >= extension.size() &&
           EqualsNoCase(path.substr(path.size() - extension.size()), extension);
}

}  // namespace zw
