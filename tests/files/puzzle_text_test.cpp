#include "files/puzzle_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/board_string.h"

namespace zw {
namespace {

// A puzzle row by row, and the same as nine lines in a given frame.
constexpr std::string_view kRows =
    "2..1.5..3.54...71..1.2.3.8.6.28.73.4.........1.53.98.6.2.7.1.6..81...24.7..4.2..1";

std::string Grid(std::string_view rowEnd, bool boxes, std::string_view between = "") {
    std::string text;
    for (int r = 0; r < 9; ++r) {
        const std::string_view row = kRows.substr(static_cast<std::size_t>(r) * 9, 9);
        text += boxes ? std::string(row.substr(0, 3)) + "|" + std::string(row.substr(3, 3)) + "|" +
                            std::string(row.substr(6, 3))
                      : std::string(row);
        text += rowEnd;
        if (boxes && (r == 2 || r == 5))
            text += std::string("-----------") + std::string(rowEnd);
        if (r == 4)
            text += between;
    }
    return text;
}

TEST(PuzzleText, FilesGiveTheirFirstPuzzle) {
    const std::string board = BoardStringFromRows(kRows);
    std::string zeros(kRows);
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    std::string spaced = "*-----------*\n";  // a framed grid with blanks between the cells
    for (int r = 0; r < 9; ++r) {
        spaced += "| ";
        for (int c = 0; c < 9; ++c)
            spaced += std::string(1, kRows[static_cast<std::size_t>(r * 9 + c)]) +
                      (c % 3 == 2 ? " | " : " ");
        spaced += r % 3 == 2 ? "\n|---+---+---|\n" : "\n";
    }
    const std::vector<std::string> accepted = {
        std::string(kRows),
        "# a collection\n" + zeros + " first of two\n" + std::string(81, '1') + "\n",
        "\xEF\xBB\xBF" + Grid("\r\n", false),
        "#ARuud\n#Lleicht\n" + Grid("\n", false),
        Grid("\r", true),
        Grid("\n", true, "\n\n"),
        spaced,
        "Ein Rätsel aus der Zeitung:\n" + Grid("\n", true),
        // Only the puzzle section counts, not a grid before or after it.
        "[Solution]\n" + std::string(81, '9') + "\n[Puzzle]\n" + Grid("\n", false) +
            "[State]\n" + std::string(81, '1') + "\n",
    };
    for (const std::string& text : accepted)
        EXPECT_EQ(BoardFromPuzzleText(text), board) << text;

    const std::vector<std::string> refused = {
        "",
        std::string(kRows.substr(0, 80)),
        std::string(80, '.') + "x",
        Grid("\n", false).substr(10),                  // eight rows
        Grid("\n", false, "Seite 2\n"),                // the rows do not follow one another
        Grid("\n", false).insert(3, "4"),              // ten cells in a row
        Grid("\n", false).insert(3, "x"),              // a letter among the cells
        "[Puzzle]\n[Solution]\n" + Grid("\n", false),  // the section is empty
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(BoardFromPuzzleText(text)) << text;
}

TEST(PuzzleText, WhichFilesAreText) {
    for (const char* path : {"a.txt", "B.SDK", "dir.x/c.Ss", "C:\\x\\d.txt"})
        EXPECT_TRUE(IsPuzzleTextFile(path)) << path;
    for (const char* path : {"a.sudoku", "txt", "dir.txt/a", "a.txt.sudoku", "a.ssk"})
        EXPECT_FALSE(IsPuzzleTextFile(path)) << path;
}

}  // namespace
}  // namespace zw
