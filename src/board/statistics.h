#pragma once

#include <string>

namespace zw {

// The statistics message box text for n open cells and the rule check's answer.
std::string StatisticsMessage(int openCells, bool rulesOk);

}  // namespace zw
