// What the solver needs from its surroundings, handed over by reference: the board, the cancel
// flag, the point where pending window messages run, the log, and the random source.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "board/grid.h"
#include "platform/platform.h"

namespace zw {

struct SolverContext {
    Grid& grid;
    bool& gCancel;  // read at the test points; only the commands set and clear it
    EventPump& events;
    // Receives the search's log lines; empty: they are dropped.
    std::function<void(std::string_view)> addLog;
    RandomSource& random;
    // The solution list keeps at most this many solutions; the count goes on past it.
    // Negative: no bound. Commands that only want the count bound it, so a long count cannot
    // fill memory.
    std::int64_t keepSolutions = -1;

    void DoEvents() { events.DoEvents(); }
    void AddLog(std::string_view line) {
        if (addLog)
            addLog(line);
    }
};

// A pump for work without a window: there are no pending messages.
class NoEventPump final : public EventPump {
public:
    void DoEvents() override {}
};

}  // namespace zw
