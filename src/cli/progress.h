// The progress line of a long batch on standard error: puzzles done, puzzles per second and,
// once the whole input has been read, the time left. Only for a person watching: it is shown
// when standard error is a terminal and the answers go elsewhere, and only after the first
// second, so short runs and scripts never see it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>

namespace zw::cli {

// "1234 puzzles done, 567 per second, 2 s left" (the last part only with a total).
std::string ProgressText(std::uint64_t done, double seconds, std::optional<std::uint64_t> total);

class Progress {
public:
    using Clock = std::chrono::steady_clock;
    // The width of the terminal in characters, 0 when unknown.
    using Columns = std::function<std::size_t()>;

    // The line on `err` when it is standard error on a terminal and standard output is not;
    // otherwise none.
    static std::unique_ptr<Progress> ForTerminal(std::ostream& err);

    Progress(std::ostream& err, Columns columns, Clock::time_point start = Clock::now());
    ~Progress();  // erases the line
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // `done` items written so far of `total`, when the total is known.
    void Update(std::uint64_t done, std::optional<std::uint64_t> total);

    // A stream for other messages while the line may show, from any thread: each line written
    // to it erases the progress line first, so the two never share a line.
    std::ostream& Messages() { return messages_; }

private:
    class MessageBuffer final : public std::streambuf {
    public:
        explicit MessageBuffer(Progress& progress) : progress_(progress) {}

    protected:
        int_type overflow(int_type ch) override;

    private:
        Progress& progress_;
        std::string line_;
    };

    void EraseLine();  // with mutex_ held

    std::ostream& err_;
    Columns columns_;
    Clock::time_point start_;
    Clock::time_point shown_{};
    std::size_t width_ = 0;  // of the line on screen, to blank it out
    std::mutex mutex_;
    MessageBuffer buffer_{*this};
    std::ostream messages_{&buffer_};
};

}  // namespace zw::cli
