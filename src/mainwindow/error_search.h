// "Fehler suchen": the latest log line whose board can still be solved, and the step after it
// that went wrong.
//
// A refused digit ("Eingabe nicht möglich (Regelbruch).") shows the digit in its snapshot, but
// the board after it is the board before it: such lines are passed over, never the faulty step.
// A board that breaks the rules counts as having no solution.
//
// The search goes back from the last line. Solvability is not monotone along a log (a mistake
// can be mended, a puzzle cleared or replaced), but it is along a stretch of lines where each
// board only adds digits to the one before: there a board without solution keeps none. So the
// log is cut into such stretches from the end; a stretch whose first board has no solution is
// passed over whole, and in the one whose first board has a solution the boundary is found by
// halving. Boards already decided are not searched again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/text_list.h"
#include "platform/platform.h"

namespace zw {

inline constexpr std::string_view kRefusedDigit = "Eingabe nicht möglich (Regelbruch).";

enum class ErrorSearchOutcome {
    LastSolvable,  // the last line's board can be solved (or the log is empty)
    Found,         // goodLine can be solved, faultyLine is the step after it that went wrong
    NoneSolvable,  // no line's board can be solved
    Cancelled,
};

struct ErrorSearchResult {
    ErrorSearchOutcome outcome = ErrorSearchOutcome::LastSolvable;
    std::int64_t goodLine = -1;    // 0-based; LastSolvable: the last line taken into account
    std::int64_t faultyLine = -1;  // 0-based
};

// `lines` are the log lines (time, TAB, message), `snapshots` their boards. The cancel flag is
// read and `events` pumped between the searches.
ErrorSearchResult SearchError(const TextList& lines, const TextList& snapshots,
                              const bool& cancel, EventPump& events);

// The message of a log line: the text after its time and TAB.
std::string_view LogMessage(std::string_view line);

// The cells (row-major) the faulty step placed differently from the good board before it.
std::vector<int> FaultyCells(std::string_view goodBoard, std::string_view faultyBoard);

// What the search reports about the faulty log line `line` and the cells it placed: the digit
// and its cell when it placed one, else the line with the number of cells. The log line is
// named by its time and message, as the log shows it: its number would read like a grid row.
std::string FaultyStepText(std::string_view line, std::string_view faultyBoard,
                           const std::vector<int>& cells);

}  // namespace zw
