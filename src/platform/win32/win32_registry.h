// The Windows registry over advapi32, with strings in the ANSI code page, and the pieces of
// the running program that the registration and help need on Windows.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/registry.h"

namespace zw {

class Win32Registry final : public Registry {
public:
    long DeleteKey(RegHandle root, std::string_view subKey) override;
    long CreateKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                   RegHandle& key) override;
    long OpenKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                 RegHandle& key) override;
    long SetString(RegHandle key, std::string_view name, std::string_view value) override;
    long SetNumber(RegHandle key, std::string_view name, std::uint32_t value) override;
    long CloseKey(RegHandle key) override;
};

// Text between UTF-8 (the program's strings) and the ANSI code page (the A functions').
std::string Utf8ToAnsi(std::string_view text);
std::string AnsiToUtf8(std::string_view text);

// Directory, file name without extension and argument text of the running program.
ProgramInfo Win32ProgramInfo();

}  // namespace zw
