#pragma once

#include <string>

namespace zw {

// value with up to `digits` significant digits in its shortest form ("%.*g"), with `decimal` as
// the decimal separator.
std::string FormatSignificant(double value, int digits, char decimal);

}  // namespace zw
