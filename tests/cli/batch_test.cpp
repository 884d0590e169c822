// The batch runner and the progress line under conditions the system will not make on demand.
#include "cli/batch.h"

#include <gtest/gtest.h>

#include <sstream>
#include <system_error>

#include "cli/progress.h"

namespace zw::cli {
namespace {

// Every thread from the `failFrom`-th on (counted from 0) is refused, as under a memory limit.
ThreadMaker RefusingFrom(int failFrom) {
    return [made = 0, failFrom](std::function<void()> body) mutable {
        if (made++ >= failFrom)
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        return MakeThread(std::move(body));
    };
}

TEST(RunInOrder, GoesOnWithTheThreadsItGets) {
    // Thread 0 is the reader, 1-4 the workers.
    const std::pair<int, const char*> rows[] = {{0, "no thread could be started"},
                                                {1, "only 1 of 5 threads could be started"},
                                                {2, "only 2 of 5 threads could be started"},
                                                {4, "only 4 of 5 threads"},
                                                {5, ""}};
    for (const auto& [failFrom, note] : rows) {
        std::uint64_t left = 500;
        auto read = [&left](std::vector<Puzzle>& items, std::size_t max) {
            items.assign(std::min<std::uint64_t>(left, max), Puzzle{});
            left -= items.size();
        };
        auto work = [](SolverWorker&, const Puzzle&, std::uint64_t index) {
            return std::to_string(index) + "\n";
        };
        std::ostringstream out, err;
        EXPECT_TRUE(RunInOrder(4, read, work, out, err, nullptr, RefusingFrom(failFrom)));
        std::string expected;
        for (int i = 0; i < 500; ++i)
            expected += std::to_string(i) + "\n";
        EXPECT_TRUE(out.str() == expected) << failFrom << ": " << out.str().size();
        EXPECT_NE(err.str().find(note), std::string::npos) << err.str();
        EXPECT_EQ(err.str().empty(), *note == '\0') << err.str();
    }
}

// A message while the line shows starts on a line of its own, the line erased; the line never
// reaches the terminal's last column.
TEST(Progress, MakesWayForMessagesAndFitsTheTerminal) {
    std::ostringstream err;
    {
        Progress progress(
            err, [] { return std::size_t{20}; }, Progress::Clock::now() - std::chrono::seconds(2));
        progress.Update(1234, 99999);
        progress.Messages() << "zellwerk-cli: a.txt:3: bad" << '\n';
    }
    const std::string line = "\r1234 puzzles done, ";
    EXPECT_EQ(err.str(),
              line.substr(0, 20) + "\r" + std::string(19, ' ') + "\rzellwerk-cli: a.txt:3: bad\n");
}

}  // namespace
}  // namespace zw::cli
