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
    if (!ok)
        ++failures;
}

struct Read {
    LONG status = 0;
    DWORD type = 0;
    std::string data;  // as stored, terminating zero included
};

Read ReadDefault(const std::string& key) {
    Read read;
    HKEY hkey = nullptr;
    read.status = RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &hkey);
    if (read.status != ERROR_SUCCESS)
        return read;
    DWORD size = 0;
    read.status = RegQueryValueExA(hkey, nullptr, nullptr, &read.type, nullptr, &size);
    if (read.status == ERROR_SUCCESS) {
        read.data.resize(size);
        read.status = RegQueryValueExA(hkey, nullptr, nullptr, &read.type,
                                       reinterpret_cast<BYTE*>(read.data.data()), &size);
        read.data.resize(size);
    }
    RegCloseKey(hkey);
    return read;
}

bool KeyExists(const std::string& key) {
    HKEY hkey = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hkey);
    return true;
}

// A string value: type REG_SZ, the ANSI text and its terminating zero.
void ExpectString(const std::string& key, const std::string& expected) {
    const Read read = ReadDefault(key);
    Expect(read.status == ERROR_SUCCESS && read.type == REG_SZ &&
               read.data == expected + std::string(1, '\0'),
           key + " = \"" + expected + "\" (read \"" + read.data.c_str() + "\", type " +
               std::to_string(read.type) + ", " + std::to_string(read.data.size()) + " bytes)");
}

const std::string kClass = "Brunfeld\\Zellwerk";

int Check(bool later, const std::string& dir, const std::string& name) {
    ExpectString(".sudoku", kClass);
    const Read classDefault = ReadDefault(kClass);
    if (later)
        ExpectString(kClass, "");
    else
        Expect(classDefault.status == ERROR_FILE_NOT_FOUND,
               kClass + " has no default value on the first start");
    ExpectString(kClass + "\\shell\\1",
                 "&\xD6"
                 "ffnen");  // "&Öffnen" in Windows-1252
    ExpectString(kClass + "\\shell\\1\\command", "\"" + dir + "\\" + name + ".exe\" %1");
    ExpectString(kClass + "\\DefaultIcon", dir + "\\Zellwerk.ico");
    Expect(!KeyExists(kClass + "\\shell\\2") && !KeyExists(kClass + "\\shell\\open"),
           "no other verbs");
    return failures;
}

std::string VersionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040704E4\\") + name;
    if (!VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return "<missing>";
    return std::string(value);
}

int Version() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &ignored));
    Expect(
        !info.empty() && GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()),
        "version resource present");
    if (info.empty())
        return failures;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length);
    Expect(fixed && HIWORD(fixed->dwProductVersionMS) == ZW_VERSION_MAJOR &&
               LOWORD(fixed->dwProductVersionMS) == ZW_VERSION_MINOR &&
               HIWORD(fixed->dwProductVersionLS) == ZW_VERSION_PATCH,
           "product version numbers " ZW_VERSION_STRING);
    Expect(VersionString(info, "ProductName") == "Zellwerk", "ProductName Zellwerk");
    Expect(VersionString(info, "ProductVersion") == ZW_VERSION_STRING,
           "ProductVersion " ZW_VERSION_STRING);
    return failures;
}

int ShortPath(const std::string& path) {
    const std::string shortPath = zw::ShortPathOrBlank(zw::AnsiToUtf8(path));
    Expect(!shortPath.empty() && shortPath.find(' ') == std::string::npos &&
               GetFileAttributesA(shortPath.c_str()) != INVALID_FILE_ATTRIBUTES,
           "short path of an existing file: " + shortPath);
    const std::string missing = zw::ShortPathOrBlank(zw::AnsiToUtf8(path) + ".fehlt");
    Expect(missing == std::string(260, ' '), "a missing file leaves 260 blanks");
    // Opening the missing one fails quietly.
    zw::Win32Shell().OpenDocument(zw::AnsiToUtf8(path) + ".fehlt", "C:\\", 0);
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
    std::fprintf(stderr,
                 "usage: --start | --check first|later DIR NAME | --version | "
                 "--short-path PATH\n");
    return 2;
}
