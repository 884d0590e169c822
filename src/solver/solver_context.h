// What the solver needs from its surroundings, handed over by reference: the board, the cancel
// flag, the point where pending window messages run, the log, and the random source.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "board/grid.h"
#include "platform/platform.h"
#include "platform/random.h"

namespace zw {

using LogSink = std::function<void(std::string_view)>;

// Which search answers the questions whose answer does not depend on how it is found: the number
// of solutions, and the solution of a puzzle that has only one. The fast one only serves a
// context without a log, since the log lines show the search at work.
enum class SearchEngine { Exact, Fast };

struct SolverContext {
    Grid& grid;
    bool& gCancel;  // read at the test points; only the commands set and clear it
    EventPump& events;
    // Receives the search's log lines; empty: they are dropped.
    LogSink addLog;
    RandomSource& random;
    // The solution list keeps at most this many solutions; the count goes on past it.
    // Negative: no bound. Commands that only want the count bound it, so a long count cannot
    // fill memory.
    std::int64_t keepSolutions = -1;
    SearchEngine engine = SearchEngine::Exact;

    void DoEvents() { events.DoEvents(); }
    void AddLog(std::string_view line) {
        if (addLog)
            addLog(line);
    }
    bool Logs() const { return static_cast<bool>(addLog); }
};

// A pump for work without a window: there are no pending messages.
class NoEventPump final : public EventPump {
public:
    void DoEvents() override {}
};

// What a StandaloneSolver takes from outside instead of its own parts; null: its own.
struct SolverParts {
    EventPump* events = nullptr;
    RandomSource* random = nullptr;
    LogSink log = {};
};

// A board of its own with everything the solver needs around it, for work without a window:
// the command-line tool, the window's side searches, benchmarks and tests.
//     StandaloneSolver s;
//     SetSuDoKuString(s.grid, board);
//     bool unique = HasUniqueSolution(s.ctx);
struct StandaloneSolver {
    explicit StandaloneSolver(SolverParts parts = {})
        : ctx{grid, cancel, parts.events ? *parts.events : noEvents, std::move(parts.log),
              parts.random ? *parts.random : random} {}
    StandaloneSolver(const StandaloneSolver&) = delete;
    StandaloneSolver& operator=(const StandaloneSolver&) = delete;

    Grid grid;
    bool cancel = false;
    NoEventPump noEvents;
    MersenneRandom random;  // seed 0 until seeded
    SolverContext ctx;
};

}  // namespace zw
