// The diskette maker window: class "QLMakeDisk", built from dialog 101.
#pragma once

#include <windows.h>

#include "common/core/system_language.h"
#include "core/image_option.h"
#include "core/run_settings.h"

// What the entry decides before the window exists; the window is handed
// it whole and keeps its own copy.
struct MakeDiskStart {
    HINSTANCE instance;
    Language language;
    ImageOption imageRequest;
    // The drive gate's verdict: true when drive A: is a diskette drive, or
    // when an image is asked for, which needs none.
    bool drivePasses;
};

// The window's state: the start-up inputs, the run settings it owns,
// writes and hands to the creation, and what its one-time set-up made. The
// entry keeps it for the whole run and lends it to the window, so a step
// still running when the window is destroyed (a Cancel sent while the
// product dialog is up) never reads a freed one.
struct MakeDiskWindowState {
    MakeDiskStart start;
    RunSettings settings;
    // Cleared by the one-time set-up of the first paint, and before the drive
    // message, so paints during that message box never open the product dialog.
    bool firstPaint;
    HFONT headingFont;
    HMENU systemMenu;
};

BOOL RegisterMakeDiskClass(HINSTANCE instance);

// Makes the window from dialog 101 and gives it its state. When the drive
// gate has refused, asks whether to save an image instead; null when the
// window could not be made or the answer was No.
HWND CreateMakeDiskWindow(const MakeDiskStart &start, MakeDiskWindowState &state);
