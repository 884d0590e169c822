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

bool OpenHelp(Shell& shell, const ProgramInfo& program, std::uintptr_t owner, std::string& error) {
    const std::string path = HelpPath(program);
    std::error_code ec;
    // Checked here so that no viewer ever starts only to complain about a missing file.
    if (!std::filesystem::is_regular_file(std::filesystem::u8path(path), ec)) {
        error = "Die Hilfe kann nicht geöffnet werden: Die Datei fehlt.\r\n\r\n" + path;
        return false;
    }
    if (!shell.OpenDocument(path, program.directory, owner)) {
        error =
            "Die Hilfe kann nicht geöffnet werden: Für PDF-Dateien ist kein Anzeigeprogramm "
            "eingerichtet.\r\n\r\n" +
            path;
        return false;
    }
    return true;
}

}  // namespace zw::modHelp
