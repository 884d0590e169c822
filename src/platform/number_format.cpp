#include "platform/number_format.h"

#include <cstdio>

namespace zw {

std::string FormatSignificant(double value, int digits, char decimal) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    std::string text = buffer;
    for (char& ch : text) {
        if (ch == '.')
            ch = decimal;
    }
    return text;
}

std::string ElapsedText(Clock& clock, double start) {
    const float seconds = static_cast<float>(clock.Seconds() - start);
    return clock.FormatNumber(seconds, 7);
}

}  // namespace zw
