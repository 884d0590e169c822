// Lets pending window messages run, at most once per ~15 ms: pumping on every call would make
// the log view relayout for every new line of a long run.
#pragma once

#include <chrono>
#include <functional>

#include "platform/platform.h"

namespace zw {

class QtEventPump final : public EventPump {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    // `now` tells the time the slices are measured in; tests hand in a clock they move.
    explicit QtEventPump(std::function<TimePoint()> now = [] {
        return std::chrono::steady_clock::now();
    })
        : now_(std::move(now)) {}
    // Runs before each pump, e.g. to announce pending log rows.
    void SetBeforePump(std::function<void()> hook) { beforePump_ = std::move(hook); }
    void DoEvents() override;

private:
    std::function<TimePoint()> now_;
    std::function<void()> beforePump_;
    TimePoint last_{};
};

}  // namespace zw
