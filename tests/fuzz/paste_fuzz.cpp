// Any text pasted: no crash; besides the exchanged puzzles of puzzle_text.h, accepted exactly
// when the cells joined in reading order make 81 digits and blanks (row by row when the text has
// a TAB), or the text is a 9 x 9 block of digits and empty cells whose rows end in LF; an
// accepted board copies back as its board string; every paste is logged.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "board/board_string.h"
#include "files/paste.h"
#include "files/puzzle_text.h"
#include "fuzz_helpers.h"
#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"

namespace {

// The paste rule written the long way: the cells of every row joined, a blank for an empty
// one; a `block` is nine rows (a CR before the LF dropped) of nine cells of one character at most.
std::optional<std::string> Joined(std::string_view text, std::string_view rowEnd, bool block) {
    const std::vector<std::string_view> rows = zw::fuzz::SplitAt(text, rowEnd);
    if (block && rows.size() != 9)
        return {};
    std::string joined;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::string_view row = rows[r];
        if (block && r + 1 < rows.size() && row.ends_with('\r'))
            row.remove_suffix(1);
        const std::vector<std::string_view> cells = zw::fuzz::SplitAt(row, "\t");
        if (block && cells.size() != 9)
            return {};
        for (std::string_view cell : cells) {
            if (block && cell.size() > 1)
                return {};
            joined += cell.empty() ? std::string_view(" ") : cell;
        }
    }
    if (joined.size() != 81 || joined.find_first_not_of(" 0123456789") != std::string::npos)
        return {};
    if (text.find('\t') == std::string_view::npos)
        return joined;
    std::string board(81, ' ');  // a spreadsheet's rows are the board's rows
    for (std::size_t k = 0; k < 81; ++k)
        board[k % 9 * 9 + k / 9] = joined[k];
    return board;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zw;
    const std::string text(reinterpret_cast<const char*>(data), size);
    // An exchanged puzzle (a "." or "0" blank, a box line) comes first, a grid of digits and
    // blanks last; the forms between are the ones written out above. The block may end in one
    // line end.
    std::string_view block = text;
    if (block.ends_with('\n'))
        block.remove_suffix(block.ends_with("\r\n") ? 2 : 1);
    std::optional<std::string> expected;
    if (text.find_first_of(".0|-+") != std::string::npos && !(expected = BoardFromPuzzleLine(text)))
        expected = BoardFromTextGrid(text);
    if (!expected)
        expected = Joined(text, "\r\n", false);
    if (!expected)
        expected = Joined(block, "\n", true);
    if (!expected)
        expected = BoardFromTextGrid(text);
    fuzz::Check(BoardFromPaste(text) == expected);

    // One window for the whole run; refused pastes pile up in the log, so empty it now and then.
    static fuzz::Window window;
    if (window.form.List1.ListCount() > 10000)
        window.form.mFileNew_Click();
    const std::size_t linesBefore = window.form.List1.ListCount();
    window.mp.clipboard.text = text;
    window.form.mEditPaste_Click();
    fuzz::Check(window.form.List1.ListCount() == linesBefore + 1);
    if (expected) {
        window.form.mEditCopy_Click();
        fuzz::Check(window.mp.clipboard.text == *expected);
    }
    return 0;
}
