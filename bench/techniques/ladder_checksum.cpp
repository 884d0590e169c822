// Fingerprints of the ladder's full step sequences over the shipped puzzle sets: technique,
// digits, cells, units, removals, placement, chain, rating and both texts of every step. A
// change that only makes the ladder faster must leave every line of its output as it was.
//
//     ladder_checksum            one line per set: puzzles, finished, fingerprint, seconds
//     ladder_checksum FILE       also one fingerprint per puzzle into FILE, to find the first
//                                puzzle whose steps changed
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "bench_puzzles.h"
#include "board/board_string.h"
#include "solver/fast_search.h"
#include "techniques/ladder.h"
#include "techniques/step_text.h"

namespace zw {
namespace {

using namespace techniques;

struct Fnv {
    std::uint64_t h = 1469598103934665603ull;
    void Add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i, v >>= 8)
            h = (h ^ (v & 0xff)) * 1099511628211ull;
    }
    void Add(std::string_view s) {
        Add(s.size());
        for (unsigned char c : s)
            h = (h ^ c) * 1099511628211ull;
    }
};

void AddStep(Fnv& f, const CandidateBoard& before, const Step& s) {
    f.Add(static_cast<std::uint64_t>(s.technique));
    f.Add(s.digits);
    f.Add(s.cells.lo), f.Add(s.cells.hi), f.Add(s.loop.lo), f.Add(s.loop.hi);
    f.Add(s.units);
    for (int cell = 0; cell < kCells; ++cell)
        f.Add(s.removed[cell]);
    f.Add(static_cast<std::uint64_t>(s.placedCell)), f.Add(s.placedDigit);
    f.Add(static_cast<std::uint64_t>(s.placedUnit));
    f.Add(static_cast<std::uint64_t>(s.extra)), f.Add(static_cast<std::uint64_t>(s.Rating()));
    f.Add(static_cast<std::uint64_t>(s.chainLength));
    for (int i = 0; i < s.chainLength; ++i)
        f.Add(static_cast<std::uint64_t>(s.chain[i]));
    f.Add(static_cast<std::uint64_t>(s.branchCount));
    for (int i = 0; i < s.branchCount; ++i)
        f.Add(s.branchLengths[i]);
    f.Add(static_cast<std::uint64_t>(s.emptyCell)), f.Add(static_cast<std::uint64_t>(s.emptyUnit));
    f.Add(static_cast<std::uint64_t>(s.emptyDigit));
    f.Add(StepHintText(s));
    f.Add(StepAnswerText(before, s));
}

std::vector<std::string> Lines(const std::string& name, std::size_t every) {
    std::ifstream in = bench::OpenPuzzleData(name);
    std::vector<std::string> lines;
    std::size_t n = 0;
    for (std::string line; std::getline(in, line); ++n) {
        if (n % every == 0)
            lines.push_back(line);
    }
    return lines;
}

}  // namespace
}  // namespace zw

int main(int argc, char** argv) {
    using namespace zw;
    std::ofstream dump;
    if (argc > 1)
        dump.open(argv[1]);
    const std::pair<const char*, std::size_t> sets[] = {
        {"qqwing-simple.txt", 1}, {"qqwing-easy.txt", 1}, {"qqwing-intermediate.txt", 1},
        {"qqwing-expert.txt", 1}, {"top95.txt", 1},       {"hardest11.txt", 1},
        {"hardest.txt", 1},       {"multi.txt", 10},      {"invalid.txt", 1},
        {"17clue.txt", 100}};
    CandidateBoard board, before;
    std::vector<Step> steps;
    for (const auto& [name, every] : sets) {
        const std::vector<std::string> lines = Lines(name, every);
        Fnv set;
        int finished = 0;
        double seconds = 0;
        for (const std::string& line : lines) {
            Fnv f;
            if (!board.SetRows(line)) {
                f.Add(std::string_view("not a puzzle"));
            } else {
                const bool one =
                    FastCountRows(BoardStringFromRows(line.substr(0, 81)), 2, nullptr) == 1;
                const auto start = std::chrono::steady_clock::now();
                const bool solved = RunLadder(board, one, steps);
                seconds +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                // Each step's texts on the board it was found on, replayed outside the time.
                before.SetRows(line);
                for (const Step& s : steps) {
                    AddStep(f, before, s);
                    ApplyStep(before, s);
                }
                f.Add(static_cast<std::uint64_t>(solved));
                finished += solved;
            }
            set.Add(f.h);
            if (dump)
                dump << name << ' ' << line.substr(0, 81) << ' ' << std::hex << f.h << std::dec
                     << '\n';
        }
        std::printf("%-24s %6zu puzzles %6d finished  %016llx  %7.2f s\n", name, lines.size(),
                    finished, static_cast<unsigned long long>(set.h), seconds);
        std::fflush(stdout);
    }
}
