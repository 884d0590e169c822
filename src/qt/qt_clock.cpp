#include "qt/qt_clock.h"

#include <QDate>
#include <QTime>
#include <chrono>

#include "platform/number_format.h"

namespace zw {

QtClock::QtClock(const QLocale& locale)
    : locale_(locale),
      timeFormat_(TimeFormatWithSeconds(locale)),
      dateFormat_(DateFormatWithFullYear(locale)) {}

QString QtClock::TimeFormatWithSeconds(const QLocale& locale) {
    // The short format drops the seconds and the long one adds the time zone: take the short
    // one and put the seconds after the minutes, with the separator the locale uses before them.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (format.contains(QLatin1Char('s')))
        return format;
    const qsizetype minutes = format.indexOf(QLatin1Char('m'));
    if (minutes < 0)
        return QStringLiteral("HH:mm:ss");
    qsizetype end = minutes;
    while (end < format.size() && format.at(end) == QLatin1Char('m'))
        ++end;
    QString separator = QStringLiteral(":");
    if (minutes > 0 && !format.at(minutes - 1).isLetter())
        separator = format.at(minutes - 1);
    format.insert(end, separator + QStringLiteral("ss"));
    return format;
}

QString QtClock::DateFormatWithFullYear(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

double QtClock::Seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::uint64_t QtClock::SeedFromClock() {
    // Nanoseconds plus a counter, so two seeds differ however close together they are taken.
    using namespace std::chrono;
    const auto ns = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<std::uint64_t>(ns) + ++seeds_;
}

std::string QtClock::TimeOfDayText() {
    using namespace std::chrono;
    const std::int64_t second =
        duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    if (second != textSecond_) {
        textSecond_ = second;
        timeText_ = locale_.toString(QTime::currentTime(), timeFormat_).toStdString();
    }
    return timeText_;
}

std::string QtClock::ShortDateText() {
    return locale_.toString(QDate::currentDate(), dateFormat_).toStdString();
}

std::string QtClock::FormatNumber(double value, int digits) {
    QString text = QString::fromStdString(FormatSignificant(value, digits, '.'));
    text.replace(QLatin1Char('.'), locale_.decimalPoint());
    return text.toStdString();
}

}  // namespace zw
