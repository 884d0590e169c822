// Opening documents with the Windows shell.
#pragma once

#include <string>

#include "platform/platform.h"

namespace zw {

class Win32Shell final : public Shell {
public:
    // The short form of the path, then the verb "Open" in the given working directory, owned
    // by the window `owner` (an HWND).
    bool OpenDocument(const std::string& path, const std::string& workingDirectory,
                      std::uintptr_t owner) override;
};

// The short form of a path in a buffer of 260 characters that starts out blank, cut at the
// first zero; 260 blanks when the file does not exist.
std::string ShortPathOrBlank(const std::string& path);

}  // namespace zw
