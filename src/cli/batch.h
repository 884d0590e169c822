// Runs one piece of work per puzzle on worker threads and prints the results in input order.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <thread>
#include <vector>

#include "cli/command_line.h"
#include "cli/progress.h"
#include "cli/puzzle_input.h"
#include "cli/subcommands.h"
#include "platform/random.h"
#include "solver/solver_context.h"

namespace zw::cli {

// A random source that starts from a fixed seed for every puzzle, seeding only when a puzzle
// draws its first number: most searches run in ascending order and never draw.
class PerPuzzleRandom final : public RandomSource {
public:
    void Seed(std::uint64_t seed) override {
        engine_.Seed(seed);
        fresh_ = false;
    }
    double Next() override {
        if (fresh_)
            Seed(0);
        return engine_.Next();
    }
    void Restart() { fresh_ = true; }

private:
    MersenneRandom engine_;
    bool fresh_ = true;
};

// One worker's own board and solver surroundings: no window, so no messages to pump and no
// log to write.
struct SolverWorker {
    PerPuzzleRandom random;
    StandaloneSolver solver{{.random = &random}};
    Grid& grid = solver.grid;
    SolverContext& ctx = solver.ctx;
    std::string solution;  // the fast engine's, kept from puzzle to puzzle for its room

    // Puts a puzzle on the board and gives its random order a fixed start, so every puzzle
    // gets the same answer whichever worker takes it.
    void Load(const Puzzle& puzzle);
};

// True when the fast engine may answer straight from the puzzle's board string, without the
// board: it is asked for, and the string holds only digits and blanks, as a puzzle line gives.
bool FastOnBoardString(const SolverWorker& worker, const Puzzle& puzzle);

// The text printed for one puzzle, line end(s) included.
using PuzzleWork = std::function<std::string(SolverWorker&, const Puzzle&)>;

// Numbered work for RunInOrder: `read` replaces its vector with the next items (at most `max`;
// empty at the end), `work` turns item `index` (from 0) into its text.
using ReadItems = std::function<void(std::vector<Puzzle>& items, std::size_t max)>;
using ItemWork = std::function<std::string(SolverWorker&, const Puzzle&, std::uint64_t index)>;

// Starts a thread that runs `body`; throws, as std::jthread does, when the system gives none.
using ThreadMaker = std::function<std::jthread(std::function<void()>)>;
std::jthread MakeThread(std::function<void()> body);

// Runs `work` on `threads` workers and writes the texts to `out` in item order, each as soon as
// it and all before it are done, so a slow item holds back only what comes after it. At most a
// few thousand items are held between reading and writing, whatever the input's length. Stops
// early, false, when `out` fails. `progress`, when given, hears how many are written. When the
// system gives fewer threads than asked for, it goes on with those, or on the calling thread
// alone, and says so on `err`.
bool RunInOrder(int threads, const ReadItems& read, const ItemWork& work, std::ostream& out,
                std::ostream& err, Progress* progress = nullptr,
                const ThreadMaker& makeThread = MakeThread);

// Reads the puzzles the command line names, runs `work` on each and prints the results in input
// order. Returns the exit status: 2 when a file could not be read or the output was lost, 1
// when a line was skipped, 0 otherwise.
int RunPuzzleCommand(const CommandLine& commandLine, const PuzzleWork& work, std::istream& in,
                     std::ostream& out, std::ostream& err);

// The same for a subcommand with no options of its own beside the common ones.
int RunPuzzleCommand(const char* subcommand, const Arguments& args, const PuzzleWork& work,
                     Streams& io);

// The search that answers where the answer does not depend on it: fast unless --engine exact.
inline SearchEngine EngineOf(const CommandLine& commandLine) {
    return commandLine.exactEngine ? SearchEngine::Exact : SearchEngine::Fast;
}

// The board as 81 characters row by row, "." for every open cell.
std::string BoardRows(const Grid& grid);

// --seed S of the generating commands into `seed`; without the option, a seed from the clock.
// False, with the complaint written, for a value that is no whole number of 0 or more.
bool ReadSeed(const char* subcommand, const CommandLine& commandLine, std::ostream& err,
              std::uint64_t& seed);

// The seed of puzzle `index` of a run from `seed`: neighbouring numbers spread far apart, as
// one puzzle takes a few consecutive seeds.
std::uint64_t PuzzleSeed(std::uint64_t seed, std::uint64_t index);

}  // namespace zw::cli
