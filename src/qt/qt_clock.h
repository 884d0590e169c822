// Time, dates and numbers in the user's locale.
#pragma once

#include <QLocale>
#include <QString>

#include "platform/platform.h"

namespace zw {

class QtClock final : public Clock {
public:
    explicit QtClock(const QLocale& locale = QLocale());
    double Seconds() override;
    std::uint64_t SeedFromClock() override;
    std::string TimeOfDayText() override;
    std::string ShortDateText() override;
    std::string FormatNumber(double value, int digits) override;

    // The locale's short time format with seconds added where it has none.
    static QString TimeFormatWithSeconds(const QLocale& locale);
    // The locale's short date format with a four-digit year ("05.12.2026", not "05.12.26").
    static QString DateFormatWithFullYear(const QLocale& locale);

private:
    QLocale locale_;
    QString timeFormat_;
    QString dateFormat_;
    // The text changes once a second; building it asks the system for the time zone each time.
    std::int64_t textSecond_ = -1;
    std::string timeText_;
    std::uint64_t seeds_ = 0;
};

}  // namespace zw
