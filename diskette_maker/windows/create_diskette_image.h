// Create Disk when Floppwright was started with -image: the same setup
// diskette, written as a 1.44 MB image file instead of to drive A:.
#pragma once

#include <windows.h>

#include "core/image_option.h"
#include "core/run_settings.h"

// Asks for the file when the command line named none (Save As), asks
// before replacing one the command line named, makes the image, writes it
// and tells the user. TRUE when the image was written.
BOOL CreateDisketteImage(HWND owner, const ImageOption &request, const RunSettings &settings);
