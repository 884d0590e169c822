// The puzzle file type on a freedesktop desktop: at every start, under $XDG_DATA_HOME
// (default ~/.local/share), a MIME package for *.sudoku, a desktop entry that runs this very
// program with the file, the icon in the icon theme and the program as the type's default.
// Whatever was there before is replaced; failures are silent.
#pragma once

#include <QString>

#include "platform/platform.h"
#ifdef _WIN32
#include "platform/win32/win32_registry.h"
#include "shell/mod_reg.h"
#endif

namespace zw {

inline constexpr char kPuzzleMimeType[] = "application/x-zellwerk-sudoku";
inline constexpr char kDesktopFileName[] = "zellwerk.desktop";

class FreedesktopRegistration final : public FileTypeRegistration {
public:
    void RegisterFileType(const ProgramInfo& program) override;
    // Wait for the database tools to finish (tests); a start does not wait for them.
    bool waitForTools = false;
};

#ifdef _WIN32
// The start-up registration written into the real registry.
class Win32FileTypeRegistration final : public FileTypeRegistration {
public:
    void RegisterFileType(const ProgramInfo& program) override {
        RegistryFileTypeRegistration(registry_).RegisterFileType(program);
    }

private:
    Win32Registry registry_;
};
#endif

// What a start registers with: the shell's registry on Windows, the freedesktop files elsewhere.
#ifdef _WIN32
using DesktopRegistration = Win32FileTypeRegistration;
#else
using DesktopRegistration = FreedesktopRegistration;
#endif

// The Exec value that runs `program` with one file: the path quoted and escaped as desktop
// entries require, then %f.
QString DesktopExecLine(const QString& program);
// The desktop entry and the MIME package as written.
QString DesktopEntry(const QString& program);
QString MimePackage();
// `list` (the text of a mimeapps.list) with `desktopFile` as the default for `mimeType`.
QString WithDefaultApplication(const QString& list, const QString& mimeType,
                               const QString& desktopFile);

}  // namespace zw
