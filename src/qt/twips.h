// Window layouts are given in twips (1/1440 inch); the screen's real DPI turns them into pixels.
#pragma once

#include <cmath>

namespace zw {

constexpr int kTwipsPerInch = 1440;

inline int TwipsToPx(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

}  // namespace zw
