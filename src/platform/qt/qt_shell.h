// Opens documents with the desktop's viewer.
#pragma once

#include "platform/platform.h"

namespace zw {

class QtShell final : public Shell {
public:
    void OpenDocument(const std::string& path, const std::string& workingDirectory) override;
};

}  // namespace zw
