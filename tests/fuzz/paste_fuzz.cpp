// Any text pasted: no crash; besides the exchanged puzzles of puzzle_text.h, accepted exactly
// when the cells joined in reading order make 81 digits and blanks, or the text is a 9 x 9 block
// of digits and empty cells whose rows end in LF; an accepted board copies back as its board
// string; a refused one is logged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "board/board_string.h"
#include "fuzz_helpers.h"
#include "mainwindow/frm_main.h"
#include "files/paste.h"
#include "files/puzzle_text.h"
#include "platform/memory_platform.h"

namespace {

bool IsBoard(const std::string& joined) {
    return joined.size() == 81 && std::all_of(joined.begin(), joined.end(), [](char ch) {
               return ch == ' ' || (ch >= '0' && ch <= '9');
           });
}

// The block with LF row ends written the long way: drop one final line end, split at LF, drop
// the CR of a CR LF, then nine rows of nine cells.
bool AcceptsLfBlock(std::string text, std::string& joined) {
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
    }
    const std::vector<std::string_view> rows = zw::fuzz::SplitAt(text, "\n");
    if (rows.size() != 9)
        return false;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::string_view row = rows[r];
        if (r + 1 < rows.size() && !row.empty() && row.back() == '\r')
            row.remove_suffix(1);
        const std::vector<std::string_view> cells = zw::fuzz::SplitAt(row, "\t");
        if (cells.size() != 9)
            return false;
        for (std::string_view cell : cells) {
            if (cell.size() > 1)
                return false;
            joined += cell.empty() ? std::string_view(" ") : cell;
        }
    }
    return IsBoard(joined);
}

// The paste rule written the long way: every row, every cell, then the tests.
bool Accepts(std::string_view text, std::string& joined) {
    for (std::string_view row : zw::fuzz::SplitAt(text, "\r\n")) {
        for (std::string_view cell : zw::fuzz::SplitAt(row, "\t"))
            joined += cell.empty() ? std::string_view(" ") : cell;
    }
    if (IsBoard(joined))
        return true;
    joined.clear();
    return AcceptsLfBlock(std::string(text), joined);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zw;
    const std::string text(reinterpret_cast<const char*>(data), size);
    // An exchanged puzzle (a "." or "0" blank, a box line) comes first, a grid of digits and
    // blanks last; the forms between are the ones written out above.
    std::optional<std::string> expected;
    if (text.find_first_of(".0|-+") != std::string::npos) {
        expected = BoardFromPuzzleLine(text);
        if (!expected)
            expected = BoardFromTextGrid(text);
    }
    std::string joined;
    if (!expected && Accepts(text, joined))
        expected = joined;
    if (!expected)
        expected = BoardFromTextGrid(text);
    const bool accepted = expected.has_value();
    const std::optional<std::string> board = BoardFromPaste(text);
    fuzz::Check(board == expected);

    // One window for the whole run.
    static fuzz::Window window;
    MemoryPlatform& mp = window.mp;
    frmMain& form = window.form;
    // Refused pastes pile up in the log; empty it now and then, not for every input.
    if (form.List1.ListCount() > 10000)
        form.mFileNew_Click();
    const std::size_t linesBefore = form.List1.ListCount();
    mp.clipboard.text = text;
    form.mEditPaste_Click();
    fuzz::Check(form.List1.ListCount() == linesBefore + (accepted ? 0u : 1u));
    if (accepted) {
        form.mEditCopy_Click();
        fuzz::Check(mp.clipboard.text == *expected);
    }
    return 0;
}
