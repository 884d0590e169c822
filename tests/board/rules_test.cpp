#include "board/rules.h"

#include <gtest/gtest.h>

#include "board/statistics.h"
#include "support/test_board.h"

namespace zw {
namespace {

TEST(RulesOk, OnlyATwiceUsedDigitInOneUnitOrAZeroOrLetterBreaksTheRules) {
    const struct {
        std::vector<std::tuple<int, int, const char*>> cells;
        bool ok;
    } cases[] = {
        {{{0, 0, "5"}, {0, 8, "5"}}, false},                // row
        {{{0, 4, "5"}, {8, 4, "5"}}, false},                // column
        {{{3, 3, "5"}, {5, 5, "5"}}, false},                // box
        {{{0, 0, "5"}, {4, 4, "5"}, {8, 8, "5"}}, true},    // different units
        {{{6, 2, "0"}}, false},
        {{{6, 2, "x"}}, false},
        {{{0, 0, "12"}, {0, 1, "12"}, {0, 2, "123456789"}, {0, 3, "1"}}, true},  // candidates
    };
    for (const auto& c : cases) {
        Grid grid;
        for (auto [r, col, text] : c.cells)
            grid.SetText(r, col, text);
        EXPECT_EQ(RulesOk(grid), c.ok) << test::CellTexts(grid);
    }
    Grid full;
    test::SetRows(full, test::kSolved);
    EXPECT_TRUE(RulesOk(full));
    full.SetText(8, 8, "1");
    EXPECT_FALSE(RulesOk(full));
}

TEST(Statistics, EveryReportText) {
    const std::string head = "Statistik:\r\n\r\n - ";
    const struct {
        int open;
        bool ok;
        std::string text;
    } cases[] = {
        {81, false, "Das SuDoKu ist leer."},
        {0, true, "Das SuDoKu ist gelöst."},
        {0, false, "Dies ist kein SuDoKu."},
        {79, false, "Es müssen noch 79 Zahlen eingetragen werden.\r\n"
                    " - Die Regeln wurden nicht korrekt beachtet."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatisticsMessage(c.open, c.ok), head + c.text);
}

}  // namespace
}  // namespace zw
