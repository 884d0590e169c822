#include "cli/progress.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <ostream>

#if defined(_WIN32)
#include <io.h>
#elif defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace zw::cli {

namespace {

constexpr auto kFirstAfter = std::chrono::seconds(1);
constexpr auto kEvery = std::chrono::milliseconds(250);

bool IsTerminal([[maybe_unused]] int descriptor) {
#if defined(_WIN32)
    return _isatty(descriptor) != 0;
#elif defined(__unix__) || defined(__APPLE__)
    return isatty(descriptor) != 0;
#else
    return false;
#endif
}

std::string Duration(double seconds) {
    const auto whole = static_cast<std::uint64_t>(std::ceil(seconds));
    if (whole < 60)
        return std::to_string(whole) + " s";
    if (whole < 3600)
        return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
    return std::to_string(whole / 3600) + " h " + std::to_string(whole % 3600 / 60) + " min";
}

}  // namespace

std::string ProgressText(std::uint64_t done, double seconds, std::optional<std::uint64_t> total) {
    std::string text = std::to_string(done) + (done == 1 ? " puzzle" : " puzzles") + " done";
    if (seconds <= 0 || done == 0)
        return text;
    const double rate = static_cast<double>(done) / seconds;
    text += ", " + std::to_string(static_cast<std::uint64_t>(std::llround(rate))) + " per second";
    if (total && *total >= done)
        text += ", " + Duration(static_cast<double>(*total - done) / rate) + " left";
    return text;
}

std::unique_ptr<Progress> Progress::ForTerminal(std::ostream& err) {
    if (&err != &std::cerr || !IsTerminal(2) || IsTerminal(1))
        return nullptr;
    return std::make_unique<Progress>(err);
}

Progress::Progress(std::ostream& err) : err_(err) {}

Progress::~Progress() {
    if (width_ > 0)
        err_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
}

void Progress::Update(std::uint64_t done, std::optional<std::uint64_t> total) {
    const Clock::time_point now = Clock::now();
    if (now - start_ < kFirstAfter || now - shown_ < kEvery)
        return;
    shown_ = now;
    const std::string text =
        ProgressText(done, std::chrono::duration<double>(now - start_).count(), total);
    // Carriage return only, and blanks over a longer line before: any terminal shows it.
    err_ << '\r' << text;
    if (text.size() < width_)
        err_ << std::string(width_ - text.size(), ' ');
    err_ << std::flush;
    width_ = std::max(width_, text.size());
}

}  // namespace zw::cli
