// The MS-DOS startup files and the bootable step.
#pragma once

#include <windows.h>

#include "core/creation_plan.h"

// Writes CONFIG.SYS (and for the CD-ROM drive AUTOEXEC.BAT) to the diskette
// root; true when every byte of them reached the diskette.
bool WriteStartupFilesToDiskette(const char *root, int product);

// The core's bootable step carried out on the running Windows: system files
// and boot sector where it can; false only when the system files could not
// be copied.
bool MakeDisketteBootable(HWND owner, const CreationInputs &inputs);
