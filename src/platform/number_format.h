#pragma once

#include <string>

#include "platform/platform.h"

namespace zw {

// value with up to `digits` significant digits in its shortest form ("%.*g"), with `decimal` as
// the decimal separator.
std::string FormatSignificant(double value, int digits, char decimal);

// Seconds since `start` as commands report them: single precision, up to seven significant
// digits in the user's format.
std::string ElapsedText(Clock& clock, double start);

}  // namespace zw
