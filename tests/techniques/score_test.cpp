// A puzzle's score and level: puzzles whose ratings the public scale publishes, one for each
// level, and the boards that have no score.
#include "techniques/score.h"

#include <gtest/gtest.h>

#include "support/test_board.h"

namespace zw::techniques {
namespace {

struct Rated {
    const char* rows;
    const char* line;  // as zellwerk-cli rate --score prints it
    const char* text;  // as the window logs it after "Schwierigkeit: "
};

TEST(Score, PublishedPuzzlesKeepTheirRatingAndLevel) {
    const Rated kRated[] = {
        {".5.7.3.6...7...8.....816.......3......5...1..73..4..869.6...2.484.572.93...4.9...",
         "1.2 Versteckter Einer im Block", "1,2 (Versteckter Einer im Block) – Leicht"},
        {"..28.61......9....3.......7..3...2..6..7.4..882.....45....1....14..8..63.3..5..8.",
         "1.5 Versteckter Einer in Zeile oder Spalte",
         "1,5 (Versteckter Einer in Zeile oder Spalte) – Mittel"},
        {".8.2..4..57....1....23.....82..9...5...715...7...2..41.....67....3....18..7..9.5.",
         "3.4 Verstecktes Paar", "3,4 (Verstecktes Paar) – Schwer"},
        {"..4.6.5..23.....94..........76...82.....2....1..7.3..6...145...8.......7.91...34.",
         "5.0 Nacktes Quartett", "5,0 (Nacktes Quartett) – Sehr schwer"},
        {"6.....1.8.3..21.9.1.9.6.7...1.2.8....83...94....9.3.1...1.8.2.5.2.13..8.4.8.....1",
         "7.2 Erzwingungskette", "7,2 (Erzwingungskette) – Extrem"},
    };
    for (const Rated& r : kRated) {
        const Score score = ScoreRows(r.rows);
        EXPECT_EQ(ScoreLine(score), r.line) << r.rows;
        EXPECT_EQ(ScoreText(score), r.text) << r.rows;
        // A cap at the score changes nothing; one below it ends the climb.
        EXPECT_EQ(ScoreRows(r.rows, score.rating).kind, ScoreKind::Rated) << r.rows;
        EXPECT_EQ(ScoreRows(r.rows, score.rating - 1).kind, ScoreKind::Unfinished) << r.rows;
    }
}

TEST(Score, BoardsWithoutAScoreSayWhy) {
    std::string solved(test::kSolved);
    EXPECT_EQ(ScoreLine(ScoreRows(solved)), "0.0");
    EXPECT_EQ(ScoreText(ScoreRows(solved)), "keine, das SuDoKu ist schon gelöst.");
    EXPECT_EQ(ScoreLine(ScoreRows(std::string(81, '.'))), "multiple");
    EXPECT_EQ(ScoreText(ScoreRows(std::string(81, '.'))),
              "keine, das SuDoKu hat mehr als eine Lösung.");
    std::string clash(81, '.');
    clash[0] = clash[1] = '4';
    EXPECT_EQ(ScoreLine(ScoreRows(clash)), "none");
    EXPECT_EQ(ScoreText(ScoreRows(clash)), "keine, das SuDoKu hat keine Lösung.");
    std::array<CellValue, kCellCount> cells{};
    cells[0] = kCharFlag | 'x';  // a placed character that is no digit breaks the rules
    EXPECT_EQ(ScorePuzzle(cells).kind, ScoreKind::NoSolution);
}

TEST(Score, LevelsSplitTheScaleWhereThePublicBandsDo) {
    const std::pair<int, Level> kEdges[] = {{10, Level::Leicht},     {14, Level::Leicht},
                                            {15, Level::Mittel},     {24, Level::Mittel},
                                            {25, Level::Schwer},     {49, Level::Schwer},
                                            {50, Level::SehrSchwer}, {69, Level::SehrSchwer},
                                            {70, Level::Extrem},     {120, Level::Extrem}};
    for (const auto& [rating, level] : kEdges) {
        EXPECT_EQ(LevelOf(rating), level) << rating;
        EXPECT_LE(Band(level).low, rating);
        EXPECT_GE(Band(level).high, rating);
    }
    EXPECT_EQ(LevelOfWord("sehr-schwer"), Level::SehrSchwer);
    EXPECT_EQ(LevelName(Level::SehrSchwer), "Sehr schwer");
    EXPECT_FALSE(LevelOfWord("Schwer"));
}

}  // namespace
}  // namespace zw::techniques
