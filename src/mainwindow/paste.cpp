#include "mainwindow/paste.h"

#include "board/board_string.h"
#include "mainwindow/sudoku_file.h"

namespace zw {

namespace {

constexpr std::size_t kBoardBytes = kBoardStringLength;

bool IsDigitOrBlank(char ch) {
    return ch == ' ' || (ch >= '0' && ch <= '9');
}

}  // namespace

std::optional<std::string> BoardFromPaste(std::string_view text) {
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
    if (result.size() != kBoardBytes)
        return std::nullopt;
    for (char ch : result) {
        if (!IsDigitOrBlank(ch))
            return std::nullopt;
    }
    return result;
}

}  // namespace zw
