#include "generator/booklet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "board/board_string.h"
#include "generator/generate.h"
#include "support/test_board.h"

namespace zw {
namespace {

TEST(Booklet, ReadsTheNumberOfPuzzles) {
    const std::pair<const char*, long long> rows[] = {
        {" 1 2 ", 12}, {"2,9", 2}, {"1e999", 1000000000000000000},
    };
    for (const auto& [text, count] : rows)
        EXPECT_EQ(ReadPuzzleCount(text), count) << '"' << text << '"';
}

bool HasOp(const std::vector<std::string>& ops, const std::string& part) {
    return std::any_of(ops.begin(), ops.end(),
                       [&](const std::string& op) { return op.find(part) != std::string::npos; });
}

// Only puzzles with one solution go in, numbered in order; the puzzles two to a page and twelve
// solutions a page.
// A booklet that cannot be written offers the save dialog again; only a cancel drops it.
TEST(Booklet, AFailedWriteAsksForAnotherPlaceUntilCancelled) {
    test::FormFixture f;
    f.mp.dialogs.newHeft = [](NewHeftOptions& o) { return o.count = "1", true; };
    f.mp.printer.failBegin = "Zugriff verweigert.";
    f.mp.messages.onShow = [&] { f.mp.printer.failBegin.clear(); };
    f.mp.fileDialog.answers = {"/ro/a.pdf", "/tmp/a.pdf", "/ro/b.pdf", std::nullopt};
    f.form.mSuDoKuNewHeft_Click();
    ASSERT_EQ(f.mp.printer.documents.size(), 1u);
    EXPECT_EQ(f.mp.printer.documents[0].target, "/tmp/a.pdf");
    EXPECT_EQ(f.mp.fileDialog.shown[0].startName, "Heft.pdf") << "not the puzzle's file name";
    f.mp.messages.onShow = nullptr;
    f.mp.printer.failBegin = "voll";
    f.form.mSuDoKuNewHeft_Click();
    EXPECT_EQ(f.mp.fileDialog.shown.size(), 4u);
    EXPECT_EQ(f.mp.printer.documents.size(), 1u);
}

TEST(Booklet, HoldsThePuzzlesWithOneSolutionLaidOutOnPages) {
    std::vector<SeriesPuzzle> series;
    for (int i = 0; i < 14; ++i) {
        const std::string rows(i == 1 ? test::kTwoSolutions : test::kHard);
        series.push_back({BoardStringFromRows(rows), "Mittel"});
    }
    const BookletContent b = BookletOf(series, "01.02.2027", true);
    ASSERT_EQ(b.puzzles.size(), 13u);
    EXPECT_EQ(b.puzzles[1].number, 2);
    EXPECT_EQ(RowsFromBoardString(b.puzzles[1].solution), test::kHardSolution);
    EXPECT_TRUE(BookletOf(series, "", false).puzzles[0].solution.empty());

    RecordingPrinter printer;
    std::string error;
    ASSERT_TRUE(printer.BeginPdf("/tmp/b.pdf", "t", error));
    LayOutBooklet(printer, b);
    ASSERT_TRUE(printer.End(error));
    const auto& pages = printer.documents[0].pages;
    ASSERT_EQ(pages.size(), 1u + 7u + 2u);
    EXPECT_TRUE(HasOp(pages[0], "\"13 Rätsel mit Lösungen\""));
    EXPECT_TRUE(HasOp(pages[7], "\"Rätsel 13 – Mittel\""));
    EXPECT_TRUE(HasOp(pages[7], "\"Seite 8\""));
    EXPECT_TRUE(HasOp(pages[8], "\"Rätsel 12 – Mittel\""));
    EXPECT_FALSE(HasOp(pages[9], "\"Rätsel 12 – Mittel\""));
}

}  // namespace
}  // namespace zw
