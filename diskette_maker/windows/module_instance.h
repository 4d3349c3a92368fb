// The module whose string table and Record blocks Floppwright uses; set by
// the window at creation (the test driver sets its own).
#pragma once

#include <windows.h>

extern HINSTANCE ModuleInstance;
