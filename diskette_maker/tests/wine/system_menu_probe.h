// Reads one item of another program's system menu. Menus belong to the
// process that made them, so a hook DLL reads it inside Floppwright, on a
// message that the test posts to the window, and hands the answer over
// through a shared section.
#pragma once

#include <windows.h>

#define SYSTEM_MENU_PROBE_NAME "QlSystemMenuProbe"

struct SystemMenuAnswer {
    LONG answered;
    UINT state;       // GetMenuState of the item, by command
    UINT stateBefore; // GetMenuState of the entry before it
    int position;     // its position in the menu, -1 when missing
    int count;        // items in the menu
    char text[64];
};
