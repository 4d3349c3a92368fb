// Whether the maker's web page can be shown on this system.
#pragma once

#include "windows/menu_state.h"

// Marks the web-update buttons unavailable when the web page cannot be
// shown; clears the marks of the other buttons among the first four.
void ProbeWebAccess(MenuState &menu);
