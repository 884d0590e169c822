#pragma once

#include <string>

#include "platform/platform.h"

namespace zw {

// value rounded to `digits` significant digits, written out without an exponent and without
// trailing zeros ("0,000058717", "12345680"), with `decimal` as the decimal separator.
std::string FormatSignificant(double value, int digits, char decimal);

// Seconds since `start` as commands report them: single precision, up to seven significant
// digits in the user's format.
std::string ElapsedText(Clock& clock, double start);

}  // namespace zw
