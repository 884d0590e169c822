// Runs as the program would on Windows and reads back what it left in the real registry.
//   --start                       registers the file type as a start of the program does
//   --check first|later DIR NAME  compares the keys with a start of DIR\NAME.exe
//   --version                     checks the program's own version resource
//   --short-path PATH             checks the short form of an existing and a missing path
// Exit code 0 when every check holds; each failure is printed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "shell/mod_reg.h"

namespace {

int failures = 0;

void Expect(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    failures += ok ? 0 : 1;
}

struct Read {
    bool exists = false;
    LONG status = 0;
    DWORD type = 0;
    std::string data;  // as stored, terminating zero included
};

Read ReadDefault(const std::string& key) {
    Read read;
    HKEY hkey = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &hkey) != ERROR_SUCCESS)
        return read;
    read.exists = true;
    char data[1024];
    DWORD size = sizeof data;
    read.status = RegQueryValueExA(hkey, nullptr, nullptr, &read.type,
                                   reinterpret_cast<BYTE*>(data), &size);
    read.data.assign(data, read.status == ERROR_SUCCESS ? size : 0);
    RegCloseKey(hkey);
    return read;
}

// A string value: type REG_SZ, the ANSI text and its terminating zero.
void ExpectString(const std::string& key, const std::string& expected) {
    const Read read = ReadDefault(key);
    Expect(read.status == ERROR_SUCCESS && read.type == REG_SZ &&
               read.data == expected + std::string(1, '\0'),
           key + " = \"" + expected + "\" (read \"" + read.data.c_str() + "\", type " +
               std::to_string(read.type) + ", " + std::to_string(read.data.size()) + " bytes)");
}

int Check(bool later, const std::string& dir, const std::string& name) {
    const std::string cls = "Brunfeld\\Zellwerk";
    ExpectString(".sudoku", cls);
    if (later)
        ExpectString(cls, "");
    else
        Expect(ReadDefault(cls).status == ERROR_FILE_NOT_FOUND,
               cls + " has no default value on the first start");
    ExpectString(cls + "\\shell\\1", "&\xD6" "ffnen");  // "&Öffnen" in Windows-1252
    ExpectString(cls + "\\shell\\1\\command", "\"" + dir + "\\" + name + ".exe\" %1");
    ExpectString(cls + "\\DefaultIcon", dir + "\\Zellwerk.ico");
    Expect(!ReadDefault(cls + "\\shell\\2").exists && !ReadDefault(cls + "\\shell\\open").exists,
           "no other verbs");
    return failures;
}

int Version() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &ignored) + 1);
    const bool present = GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data());
    Expect(present, "version resource present");
    if (!present)
        return failures;
    auto query = [&](const std::string& name) -> const char* {
        void* value = nullptr;
        UINT length = 0;
        return VerQueryValueA(info.data(), name.c_str(), &value, &length)
                   ? static_cast<const char*>(value) : nullptr;
    };
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(query("\\"));
    Expect(fixed && HIWORD(fixed->dwProductVersionMS) == ZW_VERSION_MAJOR &&
               LOWORD(fixed->dwProductVersionMS) == ZW_VERSION_MINOR &&
               HIWORD(fixed->dwProductVersionLS) == ZW_VERSION_PATCH,
           "product version numbers " ZW_VERSION_STRING);
    const std::string strings = "\\StringFileInfo\\040704E4\\";
    const char* product = query(strings + "ProductName");
    const char* version = query(strings + "ProductVersion");
    Expect(product && std::string(product) == "Zellwerk", "ProductName Zellwerk");
    Expect(version && std::string(version) == ZW_VERSION_STRING,
           "ProductVersion " ZW_VERSION_STRING);
    return failures;
}

int ShortPath(const std::string& path) {
    const std::string shortPath = zw::ShortPathOrBlank(zw::AnsiToUtf8(path));
    Expect(!shortPath.empty() && shortPath.find(' ') == std::string::npos &&
               GetFileAttributesA(shortPath.c_str()) != INVALID_FILE_ATTRIBUTES,
           "short path of an existing file: " + shortPath);
    const std::string missing = zw::AnsiToUtf8(path) + ".fehlt";
    Expect(zw::ShortPathOrBlank(missing) == std::string(260, ' '),
           "a missing file leaves 260 blanks");
    Expect(!zw::Win32Shell().OpenDocument(missing, "C:\\", 0), "opening a missing file fails");
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--start") {
        zw::Win32Registry registry;
        zw::modREg::RegisterPuzzleFileType(registry, zw::Win32ProgramInfo());
        return 0;
    }
    if (mode == "--check" && argc == 5)
        return Check(std::strcmp(argv[2], "later") == 0, argv[3], argv[4]);
    if (mode == "--version")
        return Version();
    if (mode == "--short-path" && argc == 3)
        return ShortPath(argv[2]);
    std::fprintf(stderr, "usage: see the head of registry_wine_test.cpp\n");
    return 2;
}
