#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <string>

namespace zw {

namespace {

std::string Convert(std::string_view text, UINT from, UINT to) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
    std::wstring buffer(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, text.data(), length, buffer.data(), wide);
    const int narrow =
        WideCharToMultiByte(to, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(to, 0, buffer.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

HKEY ToHkey(RegHandle handle) {
    return reinterpret_cast<HKEY>(handle);
}

}  // namespace

std::string Utf8ToAnsi(std::string_view text) {
    return Convert(text, CP_UTF8, CP_ACP);
}

std::string AnsiToUtf8(std::string_view text) {
    return Convert(text, CP_ACP, CP_UTF8);
}

long Win32Registry::DeleteKey(RegHandle root, std::string_view subKey) {
    return RegDeleteKeyA(ToHkey(root), Utf8ToAnsi(subKey).c_str());
}

long Win32Registry::CreateKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                              RegHandle& key) {
    HKEY created = nullptr;
    DWORD disposition = 0;
    char noClass[] = "";
    const LONG status =
        RegCreateKeyExA(ToHkey(root), Utf8ToAnsi(subKey).c_str(), 0, noClass,
                        REG_OPTION_NON_VOLATILE, access, nullptr, &created, &disposition);
    if (status == ERROR_SUCCESS)
        key = reinterpret_cast<RegHandle>(created);
    return status;
}

long Win32Registry::OpenKey(RegHandle root, std::string_view subKey, std::uint32_t access,
                            RegHandle& key) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(ToHkey(root), Utf8ToAnsi(subKey).c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS)
        key = reinterpret_cast<RegHandle>(opened);
    return status;
}

long Win32Registry::SetString(RegHandle key, std::string_view name, std::string_view value) {
    const std::string ansi = Utf8ToAnsi(value);
    // The stored size counts the terminating zero.
    return RegSetValueExA(ToHkey(key), Utf8ToAnsi(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(ansi.c_str()),
                          static_cast<DWORD>(ansi.size() + 1));
}

long Win32Registry::SetNumber(RegHandle key, std::string_view name, std::uint32_t value) {
    const DWORD number = value;
    return RegSetValueExA(ToHkey(key), Utf8ToAnsi(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&number), sizeof number);
}

long Win32Registry::CloseKey(RegHandle key) {
    return RegCloseKey(ToHkey(key));
}

ProgramInfo Win32ProgramInfo() {
    ProgramInfo program;
    std::string path(32768, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.resize(dot);
    program.directory = AnsiToUtf8(slash == std::string::npos ? "" : path.substr(0, slash));
    program.exeBaseName = AnsiToUtf8(name);

    // The argument text: everything after the program's own (possibly quoted) name.
    const std::string_view line = GetCommandLineA();
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    program.commandLine = AnsiToUtf8(line.substr(i));
    return program;
}

}  // namespace zw
