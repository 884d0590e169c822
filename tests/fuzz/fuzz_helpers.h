// What the fuzz targets check against: the pieces of a text split at every line end, written
// plainly, so a fault in the loader's own splitting shows as a mismatch.
#pragma once

#include <cstdlib>
#include <string_view>
#include <vector>

#include "mainwindow/frm_main.h"
#include "platform/memory_platform.h"

namespace zw::fuzz {

inline std::vector<std::string_view> SplitAt(std::string_view text, std::string_view end) {
    std::vector<std::string_view> pieces;
    if (text.empty())
        return pieces;
    for (;;) {
        const std::size_t at = text.find(end);
        pieces.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return pieces;
        text.remove_prefix(at + end.size());
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
