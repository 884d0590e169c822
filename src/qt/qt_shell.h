// Opens documents with the desktop's viewer.
#pragma once

#include "platform/platform.h"

namespace zw {

class QtShell final : public Shell {
public:
    // The desktop's viewer has no owner window to take. On a freedesktop system a file type
    // without a viewer is refused here: the launcher would start and fail out of sight.
    bool OpenDocument(const std::string& path, const std::string& workingDirectory,
                      std::uintptr_t owner) override;
};

}  // namespace zw
