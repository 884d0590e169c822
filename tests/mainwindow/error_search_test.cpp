#include "mainwindow/error_search.h"

#include <gtest/gtest.h>

#include "board/board_string.h"
#include "board/rules.h"
#include "platform/memory_platform.h"
#include "support/test_board.h"

namespace zw {
namespace {

using Outcome = ErrorSearchOutcome;

// Boards of the puzzle kHard, row by row, changed a cell at a time.
std::string With(std::string rows, int cell, char digit) {
    rows[static_cast<std::size_t>(cell)] = digit;
    return rows;
}
std::string Right(const std::string& rows, int cell) {
    return With(rows, cell, test::kHardSolution[static_cast<std::size_t>(cell)]);
}
// A digit the solution does not have there, but which breaks no rule yet; the rows unchanged
// when there is none.
std::string Wrong(const std::string& rows, int cell) {
    for (char d = '1'; d <= '9'; ++d) {
        Grid grid;
        test::SetRows(grid, With(rows, cell, d));
        if (d != test::kHardSolution[static_cast<std::size_t>(cell)] && RulesOk(grid))
            return With(rows, cell, d);
    }
    return rows;
}
// A refused digit's snapshot: the first given of row 0 again in that row.
std::string Refused(const std::string& rows) {
    return With(rows, 1, rows[0]);
}

// The open cells of kHard, in order.
std::vector<int> Open() {
    std::vector<int> cells;
    for (int i = 0; i < kCellCount; ++i)
        if (test::kHard[static_cast<std::size_t>(i)] == '.')
            cells.push_back(i);
    return cells;
}

struct Log {
    TextList lines, snapshots;
    void Add(bool refused, const std::string& rows) {
        lines.Append(refused ? "12:00:00\tEingabe nicht möglich (Regelbruch)."
                             : "12:00:00\tEingabe ok.");
        snapshots.Append(BoardStringFromRows(rows));
    }
    // The search, cancelled at its pump call `cancelAt` when that is positive.
    ErrorSearchResult Search(long long cancelAt = 0) const {
        CountingEventPump pump;
        bool cancel = false;
        pump.actAt = cancelAt;
        pump.action = [&cancel] { cancel = true; };
        return SearchError(lines, snapshots, cancel, pump);
    }
};

// Logs as (refused, board) lines, and the lines the search names.
TEST(ErrorSearch, FindsTheLatestSolvableLineAndTheStepAfterIt) {
    const std::vector<int> open = Open();
    const std::string p(test::kHard);
    const std::string a = Right(p, open[0]), ab = Right(a, open[1]);
    const std::string abw = Wrong(ab, open[2]);
    const std::string aw = Wrong(a, open[5]), awb = Right(aw, open[1]);
    const std::string abc = Right(ab, open[3]), abcw = Wrong(abc, open[4]);
    const struct {
        const char* what;
        std::vector<std::pair<bool, std::string>> log;
        Outcome outcome;
        std::int64_t good, faulty;
    } cases[] = {
        {"faulty step in the middle, refused digits before and after it",
         {{false, p}, {false, a}, {false, ab}, {true, Refused(ab)}, {false, abw},
          {true, Refused(abw)}, {false, Right(abw, open[3])}},
         Outcome::Found, 2, 4},
        {"still right, a refused digit last",
         {{false, p}, {false, a}, {true, Refused(a)}}, Outcome::LastSolvable, 1, -1},
        {"a mistake mended, then a second one",
         {{false, p}, {false, aw}, {false, awb}, {false, ab}, {false, abc}, {false, abcw},
          {false, Right(abcw, open[6])}},
         Outcome::Found, 4, 5},
        {"wrong from the first line on",
         {{false, aw}, {false, awb}, {true, Refused(awb)}}, Outcome::NoneSolvable, -1, -1},
    };
    for (const auto& c : cases) {
        Log log;
        for (const auto& [refused, rows] : c.log)
            log.Add(refused, rows);
        const ErrorSearchResult r = log.Search();
        EXPECT_EQ(r.outcome, c.outcome) << c.what;
        EXPECT_EQ(r.goodLine, c.good) << c.what;
        EXPECT_EQ(r.faultyLine, c.faulty) << c.what;
    }
}

// A game typed digit by digit has one long stretch of added digits, which the search halves:
// wherever the wrong digit comes, the line before it is found.
TEST(ErrorSearch, HalvingFindsTheBoundaryWhereverItIs) {
    const std::vector<int> open = Open();
    for (std::size_t wrongAt = 1; wrongAt < 40; ++wrongAt) {
        Log log;
        std::string rows(test::kHard);
        log.Add(false, rows);
        for (std::size_t k = 1; k < 40; ++k) {
            rows = k == wrongAt ? Wrong(rows, open[k]) : Right(rows, open[k]);
            log.Add(false, rows);
            if (k % 7 == 0)
                log.Add(false, rows);  // a line that changes nothing, as the statistics
        }
        if (rows[static_cast<std::size_t>(open[wrongAt])] == '.')
            continue;  // no digit there can be wrong without breaking a rule
        const ErrorSearchResult r = log.Search();
        ASSERT_EQ(r.outcome, Outcome::Found) << wrongAt;
        EXPECT_EQ(r.faultyLine, r.goodLine + 1) << wrongAt;
        EXPECT_EQ(r.faultyLine, static_cast<std::int64_t>(wrongAt + (wrongAt - 1) / 7)) << wrongAt;
    }
}

// The report names the one digit (or character) the faulty step placed and its cell, or the
// step's log entry with the number of cells; the log entry by its time and message.
TEST(ErrorSearch, TheReportNamesTheWrongDigitAndItsCell) {
    const std::string good = BoardStringFromRows(test::kHard);
    const std::string wrongDigit = BoardStringFromRows(With(std::string(test::kHard), 2, '9'));
    std::string letter = good;
    letter[18] = 'x';  // row 0, column 2: the board string runs column by column
    const std::string pasted =
        BoardStringFromRows(With(With(std::string(test::kHard), 1, '2'), 80, '7'));
    const struct {
        std::string line, bad;
        std::vector<int> cells;
        const char* text;
    } cases[] = {
        {"12:00:00\tEingabe ok.", wrongDigit, {2},
         "Fehler suchen: Falsch war die 9 in Zeile 1, Spalte 3 (Logeintrag „12:00:00 Eingabe "
         "ok.“)."},
        {"12:00:01\tGeöffnet", letter, {2},
         "Fehler suchen: Falsch war das Zeichen „x“ in Zeile 1, Spalte 3 (Logeintrag „12:00:01 "
         "Geöffnet“)."},
        {"12:00:02\tEinfügen.", pasted, {1, 80},
         "Fehler suchen: Falsch war der Logeintrag „12:00:02 Einfügen.“ mit 2 neuen Zahlen "
         "(markiert)."},
    };
    for (const auto& c : cases) {
        const std::vector<int> cells = FaultyCells(good, c.bad);
        EXPECT_EQ(cells, c.cells) << c.line;
        EXPECT_EQ(FaultyStepText(c.line, c.bad, cells), c.text);
    }
}

TEST(ErrorSearch, StopsWhenCancelled) {
    Log log;
    log.Add(false, std::string(test::kHard));
    for (int i = 0; i < 3; ++i)
        log.Add(false, Wrong(std::string(test::kHard), Open()[static_cast<std::size_t>(i)]));
    EXPECT_EQ(log.Search(1).outcome, Outcome::Cancelled);
}

}  // namespace
}  // namespace zw
