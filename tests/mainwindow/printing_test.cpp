#include <gtest/gtest.h>

#include <algorithm>

#include "board/grid_painter.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

bool Has(const std::vector<std::string>& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
}

TEST(Print, OnePageWithTheGridTheBordersAndTheDatedFooter) {
    FormFixture f;
    f.form.Matrix.SetText(0, 0, "5");
    f.form.Matrix.SetText(4, 4, "26");  // a candidate string prints as the screen shows it
    f.form.Matrix.SetTextColour(0, 0, kMarkGrey);
    f.form.mPrint_Click();

    ASSERT_EQ(f.mp.printer.documents.size(), 1u);
    const auto& doc = f.mp.printer.documents[0];
    EXPECT_FALSE(doc.pdf);
    EXPECT_TRUE(doc.ended);
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto& ops = doc.pages[0];
    // The picture at (500, 500), cells 720 twips, box (0, 1) shaded.
    EXPECT_TRUE(Has(ops, "rect 500 500 720 720 FFFFFF"));
    EXPECT_TRUE(Has(ops, "rect 2660 500 720 720 FFE0E0"));
    EXPECT_TRUE(Has(ops, "text 500 500 720 center Tahoma 27.75 bold C0C0C0 \"5\""));
    // Candidates 2 and 6 at their keypad places in cell (4, 4), which starts at 3380.
    EXPECT_TRUE(Has(ops, "text 3620 3388 240 center Tahoma 9.36 bold 000000 \"2\""));
    EXPECT_TRUE(Has(ops, "text 3860 3628 240 center Tahoma 9.36 bold 000000 \"6\""));
    EXPECT_FALSE(std::any_of(ops.begin(), ops.end(), [](const std::string& op) {
        return op.rfind("focus", 0) == 0;
    })) << "no focus mark on paper";
    // The closing grid line ends the picture at its screen size, 6495 twips.
    EXPECT_TRUE(Has(ops, "line 6988 500 6988 6995 15 C0C0C0"));
    // Seven printer pixels at 600 dpi, whatever the resolution.
    EXPECT_TRUE(Has(ops, "line 500 500 500 6970 16.8 000000"));
    EXPECT_TRUE(Has(ops, "line 500 500 6970 500 16.8 000000"));
    EXPECT_EQ(ops.back(),
              "text 500 15500 0 left default 12 000000 "
              "\"SuDoKu  vom 05.12.2026 by Zellwerk (www.brunfeld.de)\"");
    // Borders come after the picture, so they are not painted over.
    const auto border = std::find(ops.begin(), ops.end(), "line 500 500 500 6970 16.8 000000");
    EXPECT_FALSE(std::any_of(border, ops.end(),
                             [](const std::string& op) { return op.rfind("rect", 0) == 0; }));

    // Printing changes neither the log nor the file state; a second print is a second job.
    EXPECT_EQ(f.form.List1.ListCount(), 0u);
    EXPECT_TRUE(f.form.mySaved);
    f.mp.printer.Page().FillRect(0, 0, 1, 1, 0);  // stray drawing between jobs is not kept
    const auto firstPages = doc.pages;
    f.form.mPrint_Click();
    ASSERT_EQ(f.mp.printer.documents.size(), 2u);
    EXPECT_EQ(f.mp.printer.documents[1].pages, firstPages);
}

TEST(Print, PrinterFailuresAreReportedInGermanAndChangeNothing) {
    FormFixture f;
    f.form.Matrix.SetText(1, 1, "7");
    f.mp.printer.failBegin = "Es ist kein Standarddrucker eingerichtet.";
    f.form.mPrint_Click();
    EXPECT_TRUE(f.mp.printer.documents.empty());
    ASSERT_EQ(f.mp.messages.shown.size(), 1u);
    EXPECT_EQ(f.mp.messages.shown[0].text,
              "Das SuDoKu konnte nicht gedruckt werden. Es ist kein Standarddrucker eingerichtet.");
    EXPECT_EQ(f.mp.messages.shown[0].buttons, MsgButtons::Ok);

    f.mp.printer.failBegin.clear();
    f.mp.printer.failEnd = "Der Drucker meldet einen Fehler.";
    f.form.mPrint_Click();
    ASSERT_EQ(f.mp.messages.shown.size(), 2u);
    EXPECT_EQ(f.mp.messages.shown[1].text,
              "Das SuDoKu konnte nicht gedruckt werden. Der Drucker meldet einen Fehler.");
    EXPECT_EQ(f.form.Matrix.Text(1, 1), "7");
    EXPECT_EQ(f.form.List1.ListCount(), 0u);
    EXPECT_TRUE(f.form.mySaved);
}

TEST(GridPainter, ScalesCellsFontsAndLinesTogether) {
    Grid grid;
    SetUpGrid(grid);
    EXPECT_EQ(GridPictureWidth(grid), kGridOuterSize);
    EXPECT_EQ(GridPictureHeight(grid), kGridOuterSize);
    grid.SetText(8, 8, "7");
    grid.SetCurrent(8, 8);
    RecordingCanvas canvas;
    canvas.pixelTwips = 15;  // a 96-dpi screen: lines stay one pixel wide
    PaintGrid(canvas, grid, 0, 0, {0.5, {7, 7, 8, 8}, true, true});
    EXPECT_TRUE(Has(canvas.ops, "rect 2520 2880 360 360 80FF80"));
    EXPECT_TRUE(Has(canvas.ops, "rect 2880 2880 360 360 FFFFFF")) << "the current cell";
    EXPECT_TRUE(Has(canvas.ops, "text 2880 2880 360 center Tahoma 13.875 bold 000000 \"7\""));
    EXPECT_TRUE(Has(canvas.ops, "focus 2895 2895 330 330 15 000000"));
    EXPECT_TRUE(Has(canvas.ops, "line 0 3248 3255 3248 15 C0C0C0"));
    EXPECT_EQ(std::count_if(canvas.ops.begin(), canvas.ops.end(),
                            [](const std::string& op) { return op.rfind("line", 0) == 0; }),
              18);
}

}  // namespace
}  // namespace zw
