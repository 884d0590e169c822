#include "cli/progress.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#elif defined(__unix__) || defined(__APPLE__)
#include <sys/ioctl.h>
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

// The width of the terminal standard error shows on, asked anew each time, as the window may
// be resized during a run.
std::size_t StandardErrorColumns() {
#if defined(_WIN32)
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
        return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#elif defined(__unix__) || defined(__APPLE__)
    winsize size{};
    if (ioctl(2, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
#endif
    return 0;
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
    return std::make_unique<Progress>(err, StandardErrorColumns);
}

Progress::Progress(std::ostream& err, Columns columns, Clock::time_point start)
    : err_(err), columns_(std::move(columns)), start_(start) {}

Progress::~Progress() {
    const std::lock_guard lock(mutex_);
    EraseLine();
    err_ << std::flush;
}

void Progress::EraseLine() {
    if (width_ == 0)
        return;
    // Carriage return and blanks only: any terminal shows it.
    err_ << '\r' << std::string(width_, ' ') << '\r';
    width_ = 0;
}

void Progress::Update(std::uint64_t done, std::optional<std::uint64_t> total) {
    const Clock::time_point now = Clock::now();
    const std::lock_guard lock(mutex_);
    if (now - start_ < kFirstAfter || now - shown_ < kEvery)
        return;
    shown_ = now;
    std::string text =
        ProgressText(done, std::chrono::duration<double>(now - start_).count(), total);
    // One column short of the width: a line that fills the last column wraps on many
    // terminals, and the carriage return then goes back to the start of a new line only.
    const std::size_t columns = columns_ ? columns_() : 0;
    if (columns > 1 && text.size() > columns - 1)
        text.resize(columns - 1);
    const std::size_t shown = columns > 1 ? std::min(width_, columns - 1) : width_;
    err_ << '\r' << text;
    if (text.size() < shown)
        err_ << std::string(shown - text.size(), ' ');
    err_ << std::flush;
    width_ = text.size();
}

Progress::MessageBuffer::int_type Progress::MessageBuffer::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    line_ += traits_type::to_char_type(ch);
    if (line_.back() == '\n') {
        const std::lock_guard lock(progress_.mutex_);
        progress_.EraseLine();
        progress_.err_ << line_ << std::flush;
        line_.clear();
    }
    return ch;
}

}  // namespace zw::cli
