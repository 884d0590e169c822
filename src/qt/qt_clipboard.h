// Plain text on the system clipboard.
#pragma once

#include "platform/platform.h"

namespace zw {

class QtClipboard final : public Clipboard {
public:
    void Clear() override;
    void SetText(std::string_view text) override;
    std::string GetText() override;
};

}  // namespace zw
