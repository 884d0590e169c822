// What the fuzz targets check against: the pieces of a text split at every CR LF, written
// plainly, so a fault in the loader's own splitting shows as a mismatch.
#pragma once

#include <cstdlib>
#include <string_view>
#include <vector>

#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"

namespace zw::fuzz {

inline std::vector<std::string_view> SplitAtCrLf(std::string_view text) {
    std::vector<std::string_view> pieces;
    if (text.empty())
        return pieces;
    for (;;) {
        const std::size_t end = text.find("\r\n");
        pieces.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return pieces;
        text.remove_prefix(end + 2);
    }
}

// A main window on the in-memory platform, started as the program starts it.
struct Window {
    Window() { form.Form_Load(); }
    MemoryPlatform mp;
    frmMain form{mp.platform};
};

// Aborts, which libFuzzer reports as a crash with the input.
inline void Check(bool ok) {
    if (!ok)
        std::abort();
}

}  // namespace zw::fuzz
