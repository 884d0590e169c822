// How far the ladder's score agrees with published ratings on the Sudoku Explainer scale.
//
//     se_agreement [FILE] [--list]
//
// (default FILE: se-rated.txt of the build's puzzle folder, the published ratings; its twin
// se-rated-121.txt holds the same puzzles rated with the original scale's techniques alone,
// each with the name of its hardest technique)
//
// FILE holds one puzzle a line, 81 characters row by row, a space and its published rating:
// "7.2", or a band "1.5-2.4" where only the band is known; after another space, optionally, the
// name of the technique the rating comes from. The ladder rates every puzzle (one thread) and
// the program prints
//   - how often our score is exactly the published rating;
//   - how often our level is the published one (levels: below 1.5, 1.5-2.4, 2.5-4.9, 5.0-6.9,
//     7.0 and above), overall and per published level, and the table of both levels;
//   - Spearman's rank correlation of score and rating over the puzzles rated 2.5 and above;
//   - per published rating: our mean score and how often the level matches;
//   - per hardest technique of the ladder: how many puzzles end on it, our mean score beside
//     the mean published rating, and how often we rate higher or lower. A technique whose
//     puzzles are published much lower than we score them is rated too high on our ladder (or
//     the public rater found an easier road), and the other way round;
//   - where the file names techniques: for each of them, which hardest technique of ours the
//     same puzzles end on, and the mean gap;
//   - the puzzles where score and rating lie furthest apart, each way.
// With --list, one line a puzzle too: puzzle, published rating, score, technique, milliseconds.
//
// Not a speed figure: the time printed is only there to spot a puzzle the ladder is slow on.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "board/board_string.h"
#include "solver/fast_search.h"
#include "techniques/ladder.h"

namespace zw {
namespace {

using techniques::Technique;

constexpr int kLevels = 5;
constexpr std::array<const char*, kLevels> kLevelNames = {"<1.5", "1.5-2.4", "2.5-4.9", "5.0-6.9",
                                                         "7.0+"};

// Level of a rating in tenths.
int LevelOf(int tenths) {
    return tenths < 15 ? 0 : tenths < 25 ? 1 : tenths < 50 ? 2 : tenths < 70 ? 3 : 4;
}

struct Rated {
    std::string rows;  // 81 characters
    int low = 0;       // published rating in tenths; low < high for a band
    int high = 0;
    std::string named;  // the technique the file names for the rating, if any
    bool Exact() const { return low == high; }

    // Results of the ladder.
    bool unique = false;
    bool solved = false;
    int score = 0;
    Technique technique = Technique::FullHouse;
    double ms = 0;
};

// "7.2" -> 72; -1 for anything else.
int ParseTenths(const std::string& text) {
    const auto dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 2 != text.size())
        return -1;
    int whole = 0;
    for (std::size_t i = 0; i < dot; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        whole = whole * 10 + (text[i] - '0');
    }
    const char tenth = text[dot + 1];
    return tenth < '0' || tenth > '9' ? -1 : whole * 10 + (tenth - '0');
}

bool ParseLine(const std::string& line, Rated& rated) {
    if (line.size() < 83 || line[81] != ' ')
        return false;
    rated.rows = line.substr(0, 81);
    std::string rest = line.substr(82);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\r'))
        rest.pop_back();
    const auto space = rest.find(' ');
    const std::string rating = rest.substr(0, space);
    if (space != std::string::npos)
        rated.named = rest.substr(rest.find_first_not_of(' ', space));
    const auto dash = rating.find('-');
    rated.low = ParseTenths(rating.substr(0, dash));
    rated.high = dash == std::string::npos ? rated.low : ParseTenths(rating.substr(dash + 1));
    return rated.low >= 0 && rated.high >= rated.low && LevelOf(rated.low) == LevelOf(rated.high);
}

// Tenths as a rating with `decimals` places.
std::string Tenths(double tenths, int decimals = 2) {
    char text[16];
    std::snprintf(text, sizeof text, "%.*f", decimals, tenths / 10);
    return text;
}

std::string Published(const Rated& r) {
    return r.Exact() ? Tenths(r.low, 1) : Tenths(r.low, 1) + "-" + Tenths(r.high, 1);
}

// Ranks 1..n, ties sharing their mean rank.
std::vector<double> Ranks(const std::vector<double>& values) {
    std::vector<int> order(values.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return values[a] < values[b]; });
    std::vector<double> ranks(values.size());
    for (std::size_t i = 0; i < order.size();) {
        std::size_t j = i;
        while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]])
            ++j;
        const double mean = (static_cast<double>(i) + static_cast<double>(j)) / 2 + 1;
        for (std::size_t k = i; k <= j; ++k)
            ranks[order[k]] = mean;
        i = j + 1;
    }
    return ranks;
}

double Pearson(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = static_cast<double>(x.size());
    double mx = 0, my = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        mx += x[i];
        my += y[i];
    }
    mx /= n;
    my /= n;
    double sxy = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
        syy += (y[i] - my) * (y[i] - my);
    }
    return sxx > 0 && syy > 0 ? sxy / std::sqrt(sxx * syy) : 0;
}

double Percent(int part, int whole) {
    return whole ? 100.0 * part / whole : 0;
}

// The distance between our score and the published rating, 0 inside a band.
int Gap(const Rated& r) {
    return r.score < r.low ? r.score - r.low : r.score > r.high ? r.score - r.high : 0;
}

int Run(const std::string& path, bool list) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return 2;
    }
    std::vector<Rated> puzzles;
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        Rated rated;
        if (!ParseLine(line, rated)) {
            std::cerr << path << ":" << lineNumber << ": not \"puzzle rating\"\n";
            return 2;
        }
        puzzles.push_back(rated);
    }
    if (puzzles.empty()) {
        std::cerr << "no puzzle in " << path << "\n";
        return 2;
    }

    techniques::CandidateBoard board;
    std::vector<techniques::Step> steps;
    steps.reserve(200);
    double totalMs = 0;
    for (Rated& r : puzzles) {
        r.unique = FastCount(BoardStringFromRows(r.rows), 2) == 1;
        if (!r.unique || !board.SetRows(r.rows))
            continue;
        const auto start = std::chrono::steady_clock::now();
        r.solved = techniques::RunLadder(board, true, steps);
        r.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
        totalMs += r.ms;
        const int hardest = techniques::HardestStep(steps);
        if (hardest >= 0) {
            r.score = steps[hardest].Rating();
            r.technique = steps[hardest].technique;
        }
    }

    std::vector<const Rated*> scored;
    int notUnique = 0, stuck = 0;
    for (const Rated& r : puzzles) {
        if (!r.unique)
            ++notUnique;
        else if (!r.solved)
            ++stuck;
        else
            scored.push_back(&r);
    }
    std::printf("file:      %s\n", path.c_str());
    std::printf("puzzles:   %zu read, %zu scored, %d without exactly one solution, %d where the "
                "ladder got stuck; %.1f s in the ladder\n\n",
                puzzles.size(), scored.size(), notUnique, stuck, totalMs / 1000);

    int exact = 0, rated = 0;
    for (const Rated* r : scored) {
        if (r->Exact()) {
            ++rated;
            exact += r->score == r->low;
        }
    }
    std::printf("same score: %.1f%% (%d of the %d rated exactly)\n", Percent(exact, rated), exact,
                rated);

    // Levels.
    std::array<std::array<int, kLevels>, kLevels> table{};
    int same = 0;
    for (const Rated* r : scored) {
        ++table[LevelOf(r->low)][LevelOf(r->score)];
        same += LevelOf(r->low) == LevelOf(r->score);
    }
    std::printf("same level: %.1f%% (%d of %zu; the aim is 90%%)\n\n", Percent(same, static_cast<int>(scored.size())),
                same, scored.size());
    std::printf("published \\ ours ");
    for (const char* name : kLevelNames)
        std::printf("%9s", name);
    std::printf("    same\n");
    for (int p = 0; p < kLevels; ++p) {
        int row = 0;
        std::printf("%-17s", kLevelNames[p]);
        for (int o = 0; o < kLevels; ++o) {
            std::printf("%9d", table[p][o]);
            row += table[p][o];
        }
        std::printf("  %5.1f%%\n", Percent(table[p][p], row));
    }

    // Rank correlation on the exactly rated puzzles from 2.5 on.
    std::vector<double> published, ours;
    for (const Rated* r : scored) {
        if (r->Exact() && r->low >= 25) {
            published.push_back(r->low);
            ours.push_back(r->score);
        }
    }
    std::printf("\nSpearman, rated 2.5 and above: %.3f over %zu puzzles (the aim is 0.85)\n",
                published.size() > 1 ? Pearson(Ranks(published), Ranks(ours)) : 0.0,
                published.size());

    // Per published rating.
    std::map<int, std::vector<const Rated*>> byRating;
    for (const Rated* r : scored) {
        if (r->Exact())
            byRating[r->low].push_back(r);
    }
    std::printf("\nper published rating: puzzles, our mean score, our lowest and highest, same "
                "level\n");
    for (const auto& [rating, group] : byRating) {
        double sum = 0;
        int low = 1000, high = 0, level = 0;
        for (const Rated* r : group) {
            sum += r->score;
            low = std::min(low, r->score);
            high = std::max(high, r->score);
            level += LevelOf(r->score) == LevelOf(rating);
        }
        std::printf("  %4.1f %5zu   %5s   %4.1f-%4.1f  %5.1f%%\n", rating / 10.0, group.size(),
                    Tenths(sum / static_cast<double>(group.size())).c_str(), low / 10.0,
                    high / 10.0, Percent(level, static_cast<int>(group.size())));
    }

    // Per hardest technique of the ladder.
    struct PerTechnique {
        int count = 0, exact = 0, higher = 0, lower = 0, sameLevel = 0;
        double score = 0, published = 0;
    };
    std::map<int, PerTechnique> byTechnique;
    for (const Rated* r : scored) {
        PerTechnique& t = byTechnique[static_cast<int>(r->technique)];
        ++t.count;
        t.score += r->score;
        t.sameLevel += LevelOf(r->score) == LevelOf(r->low);
        t.higher += Gap(*r) > 0;
        t.lower += Gap(*r) < 0;
        if (r->Exact()) {
            ++t.exact;
            t.published += r->low;
        }
    }
    std::printf("\nper hardest technique of the ladder: puzzles, our mean score, mean published "
                "rating (of the exactly rated), ours minus published, share we rate higher / "
                "lower, same level\n");
    for (const auto& [index, t] : byTechnique) {
        const double meanScore = t.score / t.count;
        const double meanPublished = t.exact ? t.published / t.exact : 0;
        std::printf("  %-34s %5d  %5s  %5s  %6s  %3.0f%% / %3.0f%%  %5.1f%%\n",
                    std::string(techniques::Info(static_cast<Technique>(index)).name).c_str(),
                    t.count, Tenths(meanScore).c_str(), t.exact ? Tenths(meanPublished).c_str() : "-",
                    t.exact ? Tenths(meanScore - meanPublished).c_str() : "-",
                    Percent(t.higher, t.count), Percent(t.lower, t.count),
                    Percent(t.sameLevel, t.count));
    }

    // The file's techniques against ours.
    std::map<std::string, std::map<int, std::pair<int, double>>> byNamed;  // gap sum in tenths
    for (const Rated* r : scored) {
        if (!r->named.empty()) {
            auto& cell = byNamed[r->named][static_cast<int>(r->technique)];
            ++cell.first;
            cell.second += r->score - r->low;
        }
    }
    if (!byNamed.empty()) {
        std::printf("\nper technique the file names: its puzzles, then the hardest techniques of "
                    "ours they end on (puzzles, mean of ours minus the file's rating)\n");
        for (const auto& [named, endings] : byNamed) {
            int count = 0;
            double gap = 0;
            for (const auto& [index, cell] : endings) {
                count += cell.first;
                gap += cell.second;
            }
            std::printf("  %-36s %5d  %+5.2f:", named.c_str(), count, gap / count / 10);
            for (const auto& [index, cell] : endings) {
                std::printf("  %s %d (%+.2f)",
                            std::string(techniques::Info(static_cast<Technique>(index)).name).c_str(),
                            cell.first, cell.second / cell.first / 10);
            }
            std::printf("\n");
        }
    }

    // The furthest apart, each way.
    std::vector<const Rated*> byGap = scored;
    std::stable_sort(byGap.begin(), byGap.end(),
                     [](const Rated* a, const Rated* b) { return Gap(*a) > Gap(*b); });
    const auto show = [](const Rated* r) {
        std::printf("  %s  published %-7s ours %4.1f  %s%s%s\n", r->rows.c_str(),
                    Published(*r).c_str(), r->score / 10.0,
                    std::string(techniques::Info(r->technique).name).c_str(),
                    r->named.empty() ? "" : "; the file: ", r->named.c_str());
    };
    std::printf("\nwe rate furthest above the published rating:\n");
    for (std::size_t i = 0; i < byGap.size() && i < 12 && Gap(*byGap[i]) > 0; ++i)
        show(byGap[i]);
    std::printf("\nwe rate furthest below the published rating:\n");
    for (std::size_t i = 0; i < byGap.size() && i < 12 && Gap(*byGap[byGap.size() - 1 - i]) < 0; ++i)
        show(byGap[byGap.size() - 1 - i]);

    if (list) {
        std::printf("\npuzzle published ours technique ms\n");
        for (const Rated& r : puzzles) {
            std::printf("%s %s %s %s %.1f\n", r.rows.c_str(), Published(r).c_str(),
                        !r.unique ? "-" : !r.solved ? "stuck" : Tenths(r.score, 1).c_str(),
                        r.solved ? std::string(techniques::Info(r.technique).name).c_str() : "-",
                        r.ms);
        }
    }
    return 0;
}

}  // namespace
}  // namespace zw

int main(int argc, char** argv) {
    std::string path = std::string(ZW_PUZZLE_DIR) + "/se-rated.txt";
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list")
            list = true;
        else if (!arg.empty() && arg[0] == '-') {
            std::cerr << "usage: se_agreement [FILE] [--list]\n";
            return 2;
        } else
            path = arg;
    }
    return zw::Run(path, list);
}
