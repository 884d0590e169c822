#include "files/sudoku_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace zw {
namespace {

const std::string kBoard5 = "5" + std::string(80, ' ');
const std::string kBoard9 = std::string(80, ' ') + "9";

std::string Line(const std::string& board, std::string_view text) {
    return board + std::string(text) + "\r\n";
}

std::string High() {  // every byte from 0x80 on, the undefined ones included
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += static_cast<char>(b);
    return high;
}

TEST(PuzzleContent, ReadsTheLinesOfEveryFormAndWritesThemBackWithCrLf) {
    const struct {
        std::string content;
        std::vector<std::string> lines;  // the first ones
        std::size_t count;
        std::string saved;  // "=": the content itself
    } cases[] = {
        {Line("\xE4" + kBoard9.substr(1), "10:00:00\t\x80\xF6\t\x81") + Line(kBoard5, "") +
             Line(kBoard5, High()),
         {"10:00:00\t\xE2\x82\xAC\xC3\xB6\t\xC2\x81", ""}, 3, "="},
        // Short lines are skipped; a CR or LF alone stays in the text; the last line end may
        // be missing.
        {"short\r\n" + Line(kBoard5, "a") + "\r\n" + kBoard9 + "b\nc\r\n" + kBoard9 + "end",
         {"a", "b\nc", "end"}, 3, Line(kBoard5, "a") + kBoard9 + "b\nc\r\n" + Line(kBoard9, "end")},
        // A file without any CR LF had its line ends converted: it splits at LF.
        {kBoard5 + "10:00:00\ta\nshort\n" + kBoard9 + "b\n", {"10:00:00\ta", "b"}, 2,
         Line(kBoard5, "10:00:00\ta") + Line(kBoard9, "b")},
        {"", {}, 0, ""},
    };
    for (const auto& c : cases) {
        TextList lines, snapshots;
        ReadPuzzleContent(c.content, lines, snapshots, {});
        ASSERT_EQ(lines.Count(), c.count) << c.content.substr(0, 120);
        ASSERT_EQ(snapshots.Count(), c.count);
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(lines[i], c.lines[i]) << i;
        std::string saved;
        WritePuzzleContent(lines, snapshots, saved, {});
        EXPECT_EQ(saved, c.saved == "=" ? c.content : c.saved);
    }
    TextList lines, snapshots;
    ReadPuzzleContent(Line("\xE4" + kBoard9.substr(1), "x"), lines, snapshots, {});
    EXPECT_EQ(snapshots[0], "\xC3\xA4" + kBoard9.substr(1));
}

TEST(PuzzleContent, LastSnapshotIsTheBoardALoadShows) {
    std::size_t line = 0;
    EXPECT_EQ(LastSnapshot("x\r\n" + Line(kBoard5, "a") + "short\r\n", &line), kBoard5);
    EXPECT_EQ(line, 2u);
    EXPECT_EQ(LastSnapshot("x\n" + kBoard9 + "\n"), kBoard9);
    EXPECT_EQ(LastSnapshot("\xE4" + std::string(80, '1')), "\xC3\xA4" + std::string(80, '1'));
    EXPECT_EQ(LastSnapshot("short"), std::nullopt);
    EXPECT_EQ(PathFromCommandLine("\"x"), "\"x");
}

TEST(TextList, KeepsEveryTextAcrossChunksIncludingHugeAndEmptyOnes) {
    TextList list;
    std::vector<std::string> expected{""};
    for (int i = 0; i < 50000; ++i) {
        expected.push_back(std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'x'));
        if (i == 20000)
            expected.insert(expected.end(), {std::string(3 << 20, 'h'), ""});
    }
    for (const std::string& text : expected)
        list.Append(text);
    ASSERT_EQ(list.Count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(list[i], expected[i]) << i;
    list.Clear();
    list.Append("a");
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(list[0], "a");
}

}  // namespace
}  // namespace zw
