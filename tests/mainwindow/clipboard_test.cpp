// Copy, Cut and Paste, and the forms of text a paste accepts.
#include <gtest/gtest.h>

#include "board/board_string.h"
#include "files/paste.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

// A 9 x 9 block whose row r holds r+1 in cell r (a diagonal) and blanks elsewhere, plus 7 in
// row 0, cell 8.
std::string Block(std::string_view rowEnd, bool finalEnd) {
    std::string text;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            if (c > 0)
                text += '\t';
            if (c == r)
                text += static_cast<char>('1' + r);
            else if (r == 0 && c == 8)
                text += '7';
        }
        if (r < 8 || finalEnd)
            text += rowEnd;
    }
    return text;
}

// The block with one cell of its first row moved to the second: 81 cells, not 9 x 9.
std::string ShiftedCell(std::string block) {
    block.erase(1, 1);
    block.insert(block.find('\n') + 1, "\t");
    return block;
}

TEST(Paste, AcceptedForms) {
    const std::string digits = std::string(40, ' ') + std::string(41, '4');
    EXPECT_EQ(BoardFromPaste(digits), digits);
    EXPECT_EQ(BoardFromPaste(std::string(81, ' ')), std::string(81, ' '));
    EXPECT_EQ(BoardFromPaste(std::string(81, '0')), std::string(81, '0'));
    // Rows end in CR LF, or in LF as spreadsheets on Linux and Qt on Windows give them.
    for (const std::string& block : {Block("\r\n", false), Block("\r\n", true),
                                     Block("\n", false), Block("\n", true),
                                     Block("\n", false) + "\r\n"}) {
        const std::optional<std::string> board = BoardFromPaste(block);
        ASSERT_TRUE(board) << block;
        EXPECT_EQ((*board)[0], '1');
        EXPECT_EQ((*board)[10], '2');
        EXPECT_EQ((*board)[8], '7') << "block row 0, cell 8";
        EXPECT_EQ((*board)[9], ' ');
    }
    // Cells of several characters contribute all of them; empty rows contribute nothing.
    EXPECT_TRUE(BoardFromPaste(std::string(40, '1') + "\r\n\r\n" + std::string(41, '2')));
}

TEST(Paste, RefusedForms) {
    const std::vector<std::string> refused = {
        "",
        std::string(80, '1'),
        std::string(82, '1'),
        std::string(80, '1') + "a",
        std::string(80, '1') + "+",
        std::string(79, '1') + "1,",
        std::string(80, '1') + "\xC3\xA4",  // 81 characters, one of them not a digit
        std::string(40, '1') + "\n" + std::string(41, '1'),  // LF separates block rows only
        std::string(81, '1') + "\n",
        Block("\n", true) + "\n",
        Block("\n\n", false),
        ShiftedCell(Block("\n", false)),
        Block("\r\n", false) + "\t",
        std::string(1 << 20, '\t'),
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(BoardFromPaste(text)) << text.substr(0, 100);
}

TEST(Clipboard, CopyPasteAndCutRoundTripWithoutLogLines) {
    FormFixture f;
    test::SetRows(f.form.Matrix, "12" + std::string(79, '.'));
    f.mp.clipboard.otherFormats = true;
    f.form.mEditCopy_Click();
    EXPECT_EQ(f.mp.clipboard.text, GetSuDoKuString(f.form.Matrix));
    EXPECT_FALSE(f.mp.clipboard.otherFormats) << "Copy empties the clipboard first";
    const std::string before = test::CellTexts(f.form.Matrix);

    f.mp.clipboard.otherFormats = true;
    f.form.mEditCut_Click();
    EXPECT_TRUE(f.mp.clipboard.otherFormats) << "Cut leaves other formats";
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 81);
    f.form.mEditPaste_Click();
    EXPECT_EQ(test::CellTexts(f.form.Matrix), before);
    EXPECT_EQ(f.form.List1.ListCount(), 0u);
    EXPECT_TRUE(f.form.mySaved);

    f.mp.clipboard.text = Block("\r\n", true);
    f.form.mEditPaste_Click();
    EXPECT_EQ(f.form.Matrix.Text(8, 0), "7") << "row r, cell c lands in row c, column r";
    EXPECT_EQ(f.form.Matrix.Text(0, 8), "");
    f.mp.clipboard.text = "0" + std::string(80, ' ');
    f.form.mEditPaste_Click();
    EXPECT_EQ(f.form.Matrix.Text(0, 0), "0");
}

TEST(Clipboard, RefusedPasteLogsAndKeepsTheBoard) {
    FormFixture f;
    f.form.Matrix.SetText(3, 3, "6");
    f.mp.clipboard.text = "";
    f.form.mEditPaste_Click();
    EXPECT_EQ(f.LogMessages(), std::vector<std::string>{"Einfügen: Fehler."});
    EXPECT_EQ(f.form.Matrix.Text(3, 3), "6");
    EXPECT_FALSE(f.form.mySaved);
}

// Runs an action as if a long command were running.
struct BusyForm : frmMain {
    using frmMain::frmMain;
    template <typename F>
    void WhileBusy(F action) {
        BusyScope busy(*this);
        action();
    }
};

TEST(Clipboard, PasteAndCutWaitWhileBusyButCopyWorks) {
    MemoryPlatform mp;
    BusyForm form(mp.platform);
    form.Form_Load();
    form.Matrix.SetText(0, 0, "4");
    mp.clipboard.text = std::string(81, '9');
    form.WhileBusy([&] {
        form.mEditPaste_Click();
        form.mEditCut_Click();
        EXPECT_EQ(mp.clipboard.text, std::string(81, '9'));
        form.mEditCopy_Click();
        form.mFileNew_Click();
    });
    EXPECT_EQ(mp.clipboard.text, GetSuDoKuString(form.Matrix));
    EXPECT_EQ(form.Matrix.Text(0, 0), "4");
    EXPECT_EQ(form.List1.ListCount(), 0u);
}

}  // namespace
}  // namespace zw
