#include "platform/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zw {

std::string FormatSignificant(double value, int digits, char decimal) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    if (digits < 1)
        digits = 1;
    // The rounded digits and the exponent come from "%e"; they are then written out in full,
    // since a user reads "0,000058717" where "%g" would give "5,8717e-05".
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, std::fabs(value));
    std::string mantissa;
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            mantissa += *p;
    }
    const int exponent = std::atoi(p + 1);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    if (mantissa == "0")
        return "0";

    std::string text = std::signbit(value) ? "-" : "";
    const int integerDigits = exponent + 1;  // digits before the separator, may be <= 0
    if (integerDigits <= 0) {
        text += '0';
        text += decimal;
        text.append(static_cast<std::size_t>(-integerDigits), '0');
        text += mantissa;
    } else if (static_cast<std::size_t>(integerDigits) >= mantissa.size()) {
        text += mantissa;
        text.append(static_cast<std::size_t>(integerDigits) - mantissa.size(), '0');
    } else {
        text += mantissa.substr(0, static_cast<std::size_t>(integerDigits));
        text += decimal;
        text += mantissa.substr(static_cast<std::size_t>(integerDigits));
    }
    return text;
}

std::string ElapsedText(Clock& clock, double start) {
    const float seconds = static_cast<float>(clock.Seconds() - start);
    return clock.FormatNumber(seconds, 7);
}

}  // namespace zw
