// What one creation run reads, gathered in one place for the diskette and
// for the image: the window's run settings, its diskette variant, the
// running Windows and the program's own path.
#pragma once

#include <windows.h>

#include "core/creation_plan.h"
#include "core/run_settings.h"

// Fills inputs, whose paths point into settings and modulePath; false when
// the program's path cannot be had whole.
bool GatherCreationInputs(HWND window, const RunSettings &settings, char (&modulePath)[MAX_PATH],
                          CreationInputs &inputs);
