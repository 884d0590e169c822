// modHelp: opens the help document Help.pdf from the program's directory with the system's
// viewer.
#pragma once

#include <string>

#include "platform/platform.h"

namespace zw::modHelp {

std::string HelpPath(const ProgramInfo& program);

// False, with the German reason and the help file's path in `error`, when Help.pdf is missing
// or no viewer could be started for it. owner: the main window's native handle.
bool OpenHelp(Shell& shell, const ProgramInfo& program, std::uintptr_t owner, std::string& error);

}  // namespace zw::modHelp
