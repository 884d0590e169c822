#include "platform/win32/win32_shell.h"

#include <windows.h>
// windows.h first: shellapi.h relies on its types.
#include <shellapi.h>

#include "platform/win32/win32_registry.h"

namespace zw {

std::string ShortPathOrBlank(const std::string& path) {
    std::string buffer(260, ' ');
    GetShortPathNameA(Utf8ToAnsi(path).c_str(), buffer.data(), 260);
    const std::size_t end = buffer.find('\0');
    if (end != std::string::npos)
        buffer.resize(end);
    return buffer;
}

bool Win32Shell::OpenDocument(const std::string& path, const std::string& workingDirectory,
                              std::uintptr_t owner) {
    const std::string shortPath = ShortPathOrBlank(path);
    const HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), "Open", shortPath.c_str(),
                                           "", Utf8ToAnsi(workingDirectory).c_str(), SW_SHOWNORMAL);
    // Values above 32 mean success; the rest are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace zw
