#include "solver/candidates.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "solver/naked_pairs.h"
#include "support/test_board.h"

namespace zw {
namespace {

// A board from items separated by ";": "/ROWS" places row-major givens, "RC=text" and
// "RC-RC=text" write a cell or a range of cells.
Grid Board(std::string_view layout) {
    Grid g;
    for (std::size_t start = 0; start < layout.size();) {
        const std::size_t end = std::min(layout.find(';', start), layout.size());
        const std::string_view item = layout.substr(start, end - start);
        start = end + 1;
        if (item[0] == '/') {
            test::SetRows(g, item.substr(1));
            continue;
        }
        const int r1 = item[0] - '0', c1 = item[1] - '0';
        const bool range = item[2] == '-';
        const int r2 = range ? item[3] - '0' : r1, c2 = range ? item[4] - '0' : c1;
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c)
                EXPECT_TRUE(g.SetText(r, c, item.substr(item.find('=') + 1))) << item;
        }
    }
    return g;
}

// (4,4) open; the box's other cells lack 8 and 9, column 4's lack 3, row 4's lack 1.
constexpr std::string_view kSingles =
    "00-88=123456789;33-55=1234567;04-84=1245679;40-48=2345679;44=";

enum class Op { Resolve, Sweep, Pairs };

// The rules of the singles and the pair rule, edge by edge: the text of one cell after the
// operation (Resolve: the cell's resolution).
TEST(Candidates, EdgeCases) {
    const struct {
        const char* name;
        std::string layout;
        Op op;
        int row, col;
        const char* expected;
    } cases[] = {
        {"hidden single: box before column before row", std::string(kSingles), Op::Sweep, 4, 4, "8"},
        {"hidden single: column before the lower row digit", std::string(kSingles) + ";33=89",
         Op::Sweep, 4, 4, "3"},
        {"hidden single: two in the box, the lower digit",
         std::string(kSingles) + ";33-55=1245789;44=", Op::Sweep, 4, 4, "3"},
        {"hidden single: an empty cell could hold anything", std::string(kSingles) + ";33=;04=;40=",
         Op::Sweep, 4, 4, "123456789"},
        {"the sweep writes a shorter text", "/.13456.89;00=27;10-22=23", Op::Sweep, 0, 0, "7"},
        {"the row's last digit follows in the same sweep", "/.13456.89;00=27;10-22=23", Op::Sweep,
         0, 6, "2"},
        {"a resolution as long as the text is not written",
         "/12367.8.......9...;05=49;07=459;08=459", Op::Sweep, 0, 5, "49"},
        {"a candidate string emptied by row and column",
         "/1234.6789" + std::string(63, '.') + "....5....;04=35", Op::Sweep, 0, 4, ""},
        {"the row and column scan stops at one digit",
         "/.1234...56........7........8........9........", Op::Resolve, 0, 0, "5"},
        {"a pair takes its digits from the rest of the row",
         "/.126.8.9.;00=37;04=37;06=347;08=1357", Op::Pairs, 0, 8, "15"},
        {"a pair sharing row and box clears the box", "00=12;01=12;22=249", Op::Pairs, 2, 2, "49"},
        {"a pair leaves the column of one of its cells", "00=12;01=12;50=129", Op::Pairs, 5, 0,
         "129"},
    };
    for (const auto& c : cases) {
        Grid grid = Board(c.layout);
        if (c.op == Op::Resolve) {
            EXPECT_EQ(TextOfValue(ResolveCell(grid, c.row, c.col)), c.expected) << c.name;
            continue;
        }
        if (c.op == Op::Sweep)
            UpdateCandidates(grid);
        else
            ApplyPairs(grid);
        EXPECT_EQ(grid.Text(c.row, c.col), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace zw
