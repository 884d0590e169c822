// modHelp: opens the help document Help.pdf from the program's directory with the system's
// viewer.
#pragma once

#include <string>

#include "platform/platform.h"

namespace zw::modHelp {

std::string HelpPath(const ProgramInfo& program);

// A missing Help.pdf does nothing, without a message. owner: the main window's native handle.
void OpenHelp(Shell& shell, const ProgramInfo& program, std::uintptr_t owner);

}  // namespace zw::modHelp
