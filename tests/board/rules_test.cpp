#include "board/rules.h"

#include <gtest/gtest.h>

#include "board/board_string.h"
#include "board/statistics.h"

namespace zw {
namespace {

TEST(RulesOk, DuplicatesInEachKindOfUnit) {
    Grid grid;
    EXPECT_TRUE(RulesOk(grid));
    grid.SetText(0, 0, "5");
    grid.SetText(0, 8, "5");
    EXPECT_FALSE(RulesOk(grid)) << "row";
    ClearBoard(grid);
    grid.SetText(0, 4, "5");
    grid.SetText(8, 4, "5");
    EXPECT_FALSE(RulesOk(grid)) << "column";
    ClearBoard(grid);
    grid.SetText(3, 3, "5");
    grid.SetText(5, 5, "5");
    EXPECT_FALSE(RulesOk(grid)) << "box";
    ClearBoard(grid);
    grid.SetText(0, 0, "5");
    grid.SetText(4, 4, "5");
    grid.SetText(8, 8, "5");
    EXPECT_TRUE(RulesOk(grid)) << "same digit in different units";
}

TEST(RulesOk, ZerosLettersFailCandidateStringsNever) {
    Grid grid;
    grid.SetText(6, 2, "0");
    EXPECT_FALSE(RulesOk(grid));
    grid.SetText(6, 2, "x");
    EXPECT_FALSE(RulesOk(grid));
    grid.SetText(6, 2, "");
    grid.SetText(0, 0, "12");
    grid.SetText(0, 1, "12");
    grid.SetText(0, 2, "123456789");
    grid.SetText(0, 3, "1");
    EXPECT_TRUE(RulesOk(grid));
}

TEST(RulesOk, AFullValidGridPasses) {
    Grid grid;
    const std::string rows =
        "123456789456789123789123456231564897564897231897231564312645978645978312978312645";
    SetSuDoKuString(grid, BoardStringFromRows(rows));
    EXPECT_TRUE(RulesOk(grid));
    grid.SetText(8, 8, "4");
    EXPECT_FALSE(RulesOk(grid));
}

TEST(Statistics, EveryReportText) {
    EXPECT_EQ(StatisticsMessage(81, true), "Statistik:\r\n\r\n - Das SuDoKu ist leer.");
    EXPECT_EQ(StatisticsMessage(81, false), "Statistik:\r\n\r\n - Das SuDoKu ist leer.");
    EXPECT_EQ(StatisticsMessage(0, true), "Statistik:\r\n\r\n - Das SuDoKu ist gelöst.");
    EXPECT_EQ(StatisticsMessage(0, false), "Statistik:\r\n\r\n - Dies ist kein SuDoKu.");
    EXPECT_EQ(StatisticsMessage(80, true),
              "Statistik:\r\n\r\n - Es müssen noch 80 Zahlen eingetragen werden.\r\n"
              " - Die Regeln wurden korrekt beachtet.");
    EXPECT_EQ(StatisticsMessage(79, false),
              "Statistik:\r\n\r\n - Es müssen noch 79 Zahlen eingetragen werden.\r\n"
              " - Die Regeln wurden nicht korrekt beachtet.");
}

}  // namespace
}  // namespace zw
