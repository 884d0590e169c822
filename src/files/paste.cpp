#include "files/paste.h"

#include "board/board_string.h"
#include "files/puzzle_text.h"
#include "files/sudoku_file.h"

namespace zw {

namespace {

constexpr std::size_t kBoardBytes = kBoardStringLength;

constexpr int kBlockSide = 9;

bool IsDigitOrBlank(char ch) {
    return ch == ' ' || (ch >= '0' && ch <= '9');
}

// The result when it is a board: 81 characters of digits and blanks.
std::optional<std::string> Board(std::string result) {
    if (result.size() != kBoardBytes)
        return std::nullopt;
    for (char ch : result) {
        if (!IsDigitOrBlank(ch))
            return std::nullopt;
    }
    return result;
}

// The rows as CR LF splits them: any cells, any empty rows, as long as they join to a board.
std::optional<std::string> FromCrLfRows(std::string_view text) {
    // Only 81 ASCII bytes can pass, and the result never shrinks, so a text of any size is
    // refused as soon as the result outgrows them.
    std::string result;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(kCrLf, start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view row = text.substr(start, end - start);
        start = end + kCrLf.size();
        if (row.empty())
            continue;
        std::size_t cellStart = 0;
        for (;;) {
            const std::size_t tab = row.find('\t', cellStart);
            const std::string_view cell =
                row.substr(cellStart, tab == std::string_view::npos ? tab : tab - cellStart);
            if (cell.empty())
                result += ' ';
            else
                result.append(cell.substr(0, kBoardBytes + 1));
            if (result.size() > kBoardBytes)
                return std::nullopt;
            if (tab == std::string_view::npos)
                break;
            cellStart = tab + 1;
        }
    }
    return Board(std::move(result));
}

// A spreadsheet's 9 x 9 block whose rows end in LF (or CR LF), one line end after the last row
// allowed. Stricter than the CR LF form: exactly nine rows of nine cells, so an LF anywhere else
// is still refused.
std::optional<std::string> FromLfBlock(std::string_view text) {
    if (text.ends_with('\n'))
        text.remove_suffix(text.ends_with(kCrLf) ? kCrLf.size() : 1);
    std::string result;
    int rows = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = text.find('\n', start);
        std::string_view row = text.substr(start, lf == std::string_view::npos ? lf : lf - start);
        if (lf != std::string_view::npos && row.ends_with('\r'))
            row.remove_suffix(1);
        if (++rows > kBlockSide)
            return std::nullopt;
        int cells = 0;
        std::size_t cellStart = 0;
        for (;;) {
            const std::size_t tab = row.find('\t', cellStart);
            const std::string_view cell =
                row.substr(cellStart, tab == std::string_view::npos ? tab : tab - cellStart);
            if (++cells > kBlockSide || cell.size() > 1)
                return std::nullopt;
            result += cell.empty() ? ' ' : cell.front();
            if (tab == std::string_view::npos)
                break;
            cellStart = tab + 1;
        }
        if (cells != kBlockSide)
            return std::nullopt;
        if (lf == std::string_view::npos)
            break;
        start = lf + 1;
    }
    if (rows != kBlockSide)
        return std::nullopt;
    return Board(std::move(result));
}

// A spreadsheet's cells come row by row; the board string runs down the columns.
std::optional<std::string> FromRowsOfCells(std::optional<std::string> cells) {
    if (!cells)
        return cells;
    std::string board(kBoardBytes, ' ');
    for (int r = 0; r < kBlockSide; ++r) {
        for (int c = 0; c < kBlockSide; ++c)
            board[static_cast<std::size_t>(c * kBlockSide + r)] =
                (*cells)[static_cast<std::size_t>(r * kBlockSide + c)];
    }
    return board;
}

}  // namespace

std::optional<std::string> BoardFromPaste(std::string_view text) {
    // A "." or "0" blank, or a box line, marks a puzzle as people exchange it, read row by row.
    // Copy never writes one (a "0" only comes from a cell that breaks the rules anyway).
    if (text.find_first_of(".0|-+") != std::string_view::npos) {
        if (std::optional<std::string> board = BoardFromPuzzleLine(text))
            return board;
        if (std::optional<std::string> board = BoardFromTextGrid(text))
            return board;
    }
    // TABs come from a spreadsheet, whose rows are the board's rows; Copy never writes one.
    const bool cells = text.find('\t') != std::string_view::npos;
    if (std::optional<std::string> board = FromCrLfRows(text))
        return cells ? FromRowsOfCells(std::move(board)) : board;
    if (std::optional<std::string> board = FromLfBlock(text))
        return FromRowsOfCells(std::move(board));
    return BoardFromTextGrid(text);
}

}  // namespace zw
