// The module whose string table and Record blocks Floppwright uses; set by
// the window at creation (the test driver sets its own).
#ifndef DISKETTE_MAKER_WINDOWS_MODULE_INSTANCE_H
#define DISKETTE_MAKER_WINDOWS_MODULE_INSTANCE_H

#include <windows.h>

extern HINSTANCE ModuleInstance;

#endif
