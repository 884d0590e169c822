#include "qt/qt_event_pump.h"

#include <QCoreApplication>

namespace zw {

namespace {
constexpr auto kSlice = std::chrono::milliseconds(15);
}

void QtEventPump::DoEvents() {
    const TimePoint now = now_();
    if (now - last_ < kSlice)
        return;
    last_ = now;
    if (beforePump_)
        beforePump_();
    QCoreApplication::processEvents();
}

}  // namespace zw
