// Lets pending window messages run, at most once per ~15 ms: pumping on every call would make
// the log view relayout for every new line of a long run.
#pragma once

#include <chrono>
#include <functional>

#include "platform/platform.h"

namespace zw {

class QtEventPump final : public EventPump {
public:
    // Runs before each pump, e.g. to announce pending log rows.
    void SetBeforePump(std::function<void()> hook) { beforePump_ = std::move(hook); }
    void DoEvents() override;

private:
    std::function<void()> beforePump_;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace zw
