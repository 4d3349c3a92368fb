// Whether the user has turned on a high-contrast theme, in which the menu
// draws with the system's colours.
#pragma once

#include <windows.h>

bool HighContrastOn();
