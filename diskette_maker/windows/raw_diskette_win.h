// Drive probe and boot-sector write for the running system.
#pragma once

// Non-zero when the drive of root is a usable diskette drive.
int ProbeDisketteDrive(const char *root);

// Writes the BootSectorImage block to sector 0 of the diskette in the drive
// of root and reads it back; true when it came back identical.
bool WriteBootSector(const char *root);
