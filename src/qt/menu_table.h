// The menu bar of the main window as one table: every menu, item, caption, shortcut and
// separator in order, each item with the frmMain handler it runs.
#pragma once

#include <span>

#include "mainwindow/frm_main.h"

namespace zw {

struct MenuEntry {
    const char* menu;      // objectName of the menu the entry belongs to
    const char* name;      // objectName of the item (separators have one too)
    const char* caption;   // "&" marks the access key; nullptr for a separator
    const char* shortcut;  // portable QKeySequence text, "; " between several, "" for none
    void (frmMain::*handler)();
    bool longCommand;  // disabled while a long command runs
};

struct MenuHeading {
    const char* name;
    const char* caption;
};

std::span<const MenuHeading> MenuHeadings();
std::span<const MenuEntry> MenuEntries();

}  // namespace zw
