#include "techniques/score.h"

#include <vector>

#include "solver/fast_search.h"
#include "techniques/candidate_board.h"
#include "techniques/ladder.h"

namespace zw::techniques {

Level LevelOf(int rating) {
    for (int k = 0; k < kLevelCount - 1; ++k) {
        if (rating <= Band(static_cast<Level>(k)).high)
            return static_cast<Level>(k);
    }
    return Level::Extrem;
}

std::string_view LevelName(Level level) {
    constexpr std::array<std::string_view, kLevelCount> kNames{"Leicht", "Mittel", "Schwer",
                                                               "Sehr schwer", "Extrem"};
    return kNames[static_cast<int>(level)];
}

std::optional<Level> LevelOfWord(std::string_view word) {
    constexpr std::array<std::string_view, kLevelCount> kWords{"leicht", "mittel", "schwer",
                                                               "sehr-schwer", "extrem"};
    for (int k = 0; k < kLevelCount; ++k) {
        if (word == kWords[k])
            return static_cast<Level>(k);
    }
    return std::nullopt;
}

Score ScorePuzzle(const std::array<CellValue, kCellCount>& cells, int maxRating) {
    Score score;
    std::string line(kCellCount, '.');
    bool open = false;
    for (int i = 0; i < kCellCount; ++i) {
        if (const int digit = PlacedDigit(cells[i]); digit > 0)
            line[i] = static_cast<char>('0' + digit);
        else
            open = open || !IsPlaced(cells[i]);
    }
    // Rule breaks and placed characters that are no digit leave no solution.
    const std::int64_t solutions = FastCount(cells, 2);
    if (solutions == 0)
        return score;
    if (!open) {
        score.kind = ScoreKind::Solved;
        return score;
    }
    if (solutions > 1) {
        score.kind = ScoreKind::Multiple;
        return score;
    }
    CandidateBoard board;
    board.SetRows(line);
    // One run per thread keeps its room for steps.
    thread_local std::vector<Step> steps;
    const bool solved = RunLadder(board, true, steps, maxRating);
    const int hardest = HardestStep(steps);
    score.kind = solved ? ScoreKind::Rated : ScoreKind::Unfinished;
    if (hardest >= 0) {
        score.rating = steps[static_cast<std::size_t>(hardest)].Rating();
        score.technique = steps[static_cast<std::size_t>(hardest)].technique;
    }
    return score;
}

Score ScoreRows(std::string_view rows, int maxRating) {
    std::array<CellValue, kCellCount> cells{};
    for (std::size_t i = 0; i < cells.size() && i < rows.size(); ++i) {
        if (rows[i] >= '1' && rows[i] <= '9')
            cells[i] = DigitBit(rows[i] - '0');
    }
    return ScorePuzzle(cells, maxRating);
}

std::string RatingText(int rating, char decimal) {
    return std::to_string(rating / 10) + decimal + std::to_string(rating % 10);
}

std::string ScoreLine(const Score& score) {
    switch (score.kind) {
        case ScoreKind::Rated:
            return RatingText(score.rating, '.') + " " + std::string(Info(score.technique).name);
        case ScoreKind::Solved:
            return "0.0";
        case ScoreKind::Multiple:
            return "multiple";
        case ScoreKind::Unfinished:
            return "unfinished";
        default:
            return "none";
    }
}

std::string ScoreText(const Score& score) {
    switch (score.kind) {
        case ScoreKind::Rated:
            return RatingText(score.rating, ',') + " (" + std::string(Info(score.technique).name) +
                   ") – " + std::string(LevelName(LevelOf(score.rating)));
        case ScoreKind::Solved:
            return "keine, das SuDoKu ist schon gelöst.";
        case ScoreKind::Multiple:
            return "keine, das SuDoKu hat mehr als eine Lösung.";
        case ScoreKind::Unfinished:
            return "keine, die Lösungstechniken kommen nicht bis zum Ende.";
        default:
            return "keine, das SuDoKu hat keine Lösung.";
    }
}

}  // namespace zw::techniques
