#include "shell/mod_help.h"

#include <filesystem>
#include <system_error>

namespace zw::modHelp {

std::string HelpPath(const ProgramInfo& program) {
#ifdef _WIN32
    return program.directory + "\\Help.pdf";
#else
    return program.directory + "/Help.pdf";
#endif
}

void OpenHelp(Shell& shell, const ProgramInfo& program, std::uintptr_t owner) {
    const std::string path = HelpPath(program);
    std::error_code ec;
    // Checked here so that no viewer ever starts only to complain about a missing file.
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), ec))
        return;
    shell.OpenDocument(path, program.directory, owner);
}

}  // namespace zw::modHelp
