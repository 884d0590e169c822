// The progress line of a long batch on standard error: puzzles done, puzzles per second and,
// once the whole input has been read, the time left. Only for a person watching: it is shown
// when standard error is a terminal and the answers go elsewhere, and only after the first
// second, so short runs and scripts never see it.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace zw::cli {

// "1234 puzzles done, 567 per second, 2 s left" (the last part only with a total).
std::string ProgressText(std::uint64_t done, double seconds, std::optional<std::uint64_t> total);

class Progress {
public:
    // The line on `err` when it is standard error on a terminal and standard output is not;
    // otherwise none.
    static std::unique_ptr<Progress> ForTerminal(std::ostream& err);

    explicit Progress(std::ostream& err);
    ~Progress();  // erases the line
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // `done` items written so far of `total`, when the total is known.
    void Update(std::uint64_t done, std::optional<std::uint64_t> total);

private:
    using Clock = std::chrono::steady_clock;
    std::ostream& err_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point shown_{};
    std::size_t width_ = 0;  // of the line on screen, to blank it out
};

}  // namespace zw::cli
