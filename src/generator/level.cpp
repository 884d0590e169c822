#include "generator/level.h"

#include <array>
#include <utility>

#include "solver/fast_search.h"
#include "techniques/candidate_board.h"
#include "techniques/ladder.h"

namespace zw {

namespace {

using techniques::Level;

// SplitMix64: small, fast, and the same sequence on every platform, which the standard
// library's distributions do not promise.
std::uint64_t NextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Below(std::uint64_t& state, int n) {
    return static_cast<int>(NextRandom(state) % static_cast<std::uint64_t>(n));
}

template <std::size_t N>
void Shuffle(std::array<int, N>& items, std::uint64_t& state) {
    for (int i = static_cast<int>(N) - 1; i > 0; --i)
        std::swap(items[static_cast<std::size_t>(i)],
                  items[static_cast<std::size_t>(Below(state, i + 1))]);
}

// Fills the open cells depth first, the cell with the fewest digits left first, its digits in
// a random order. From an empty board it never has to go back far.
bool Fill(std::array<int, kCellCount>& digits, std::array<std::uint16_t, 27>& used,
          std::uint64_t& state) {
    int best = -1, bestCount = 10;
    std::uint16_t bestFree = 0;
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (digits[static_cast<std::size_t>(cell)])
            continue;
        const int r = cell / 9, c = cell % 9, b = r / 3 * 3 + c / 3;
        const auto free = static_cast<std::uint16_t>(
            ~(used[static_cast<std::size_t>(r)] | used[static_cast<std::size_t>(9 + c)] |
              used[static_cast<std::size_t>(18 + b)]) & 0x1ff);
        const int count = techniques::Count9(free);
        if (count < bestCount) {
            best = cell, bestCount = count, bestFree = free;
            if (count <= 1)
                break;
        }
    }
    if (best < 0)
        return true;
    if (bestCount == 0)
        return false;
    std::array<int, 9> order{0, 1, 2, 3, 4, 5, 6, 7, 8};
    Shuffle(order, state);
    const int r = best / 9, c = best % 9, b = r / 3 * 3 + c / 3;
    for (int d : order) {
        const auto bit = static_cast<std::uint16_t>(1u << d);
        if (!(bestFree & bit))
            continue;
        digits[static_cast<std::size_t>(best)] = d + 1;
        used[static_cast<std::size_t>(r)] |= bit;
        used[static_cast<std::size_t>(9 + c)] |= bit;
        used[static_cast<std::size_t>(18 + b)] |= bit;
        if (Fill(digits, used, state))
            return true;
        used[static_cast<std::size_t>(r)] &= static_cast<std::uint16_t>(~bit);
        used[static_cast<std::size_t>(9 + c)] &= static_cast<std::uint16_t>(~bit);
        used[static_cast<std::size_t>(18 + b)] &= static_cast<std::uint16_t>(~bit);
    }
    digits[static_cast<std::size_t>(best)] = 0;
    return false;
}

// Whether the thinned puzzle still passes: one solution, and up to the level's top a ladder that
// finishes it within that top. Below the uniqueness rungs the ladder alone decides, since a
// finish by steps that hold in every solution proves there is only one; from them on, the fast
// engine counts first. The two top levels thin to the last given the solution allows and leave
// the rating to the end: capping there would cost the chain searches at every cell.
class Test {
public:
    explicit Test(Level level) : cap_(techniques::Band(level).high) {}

    bool Passes(const std::string& rows) {
        const bool ladderAlone = cap_ < techniques::Info(techniques::Technique::UniqueRectangle1).rating;
        if (!ladderAlone) {
            std::array<CellValue, kCellCount> cells{};
            for (int i = 0; i < kCellCount; ++i) {
                if (rows[static_cast<std::size_t>(i)] != '.')
                    cells[static_cast<std::size_t>(i)] =
                        DigitBit(rows[static_cast<std::size_t>(i)] - '0');
            }
            if (FastCount(cells, 2) != 1)
                return false;
            if (cap_ >= kThinnedOnly)
                return true;
        }
        techniques::CandidateBoard board;
        board.SetRows(rows);
        return techniques::RunLadder(board, !ladderAlone, steps_, cap_);
    }

private:
    static constexpr int kThinnedOnly = 50;
    int cap_;
    std::vector<techniques::Step> steps_;
};

}  // namespace

std::string RandomSolutionGrid(std::uint64_t& state) {
    std::array<int, kCellCount> digits{};
    std::array<std::uint16_t, 27> used{};
    Fill(digits, used, state);
    std::string rows(kCellCount, '.');
    for (int i = 0; i < kCellCount; ++i)
        rows[static_cast<std::size_t>(i)] = static_cast<char>('0' + digits[static_cast<std::size_t>(i)]);
    return rows;
}

LevelPuzzle MakeLevelPuzzle(Level level, std::uint64_t seed, const std::function<bool()>& stop) {
    const techniques::LevelBand band = techniques::Band(level);
    std::uint64_t state = seed;
    Test test(level);
    for (;;) {
        if (stop && stop())
            return {};
        std::string rows = RandomSolutionGrid(state);
        std::array<int, kCellCount> order{};
        for (int i = 0; i < kCellCount; ++i)
            order[static_cast<std::size_t>(i)] = i;
        Shuffle(order, state);
        for (int cell : order) {
            const char given = rows[static_cast<std::size_t>(cell)];
            rows[static_cast<std::size_t>(cell)] = '.';
            if (!test.Passes(rows))
                rows[static_cast<std::size_t>(cell)] = given;
        }
        // The cap kept every step within the band's top; only the bottom is left to check.
        const techniques::Score score = techniques::ScoreRows(rows);
        if (score.kind == techniques::ScoreKind::Rated && score.rating >= band.low &&
            score.rating <= band.high)
            return {std::move(rows), score};
    }
}

}  // namespace zw
