// Sector-level access to the diskette drive, below the file system.
#pragma once

#include <cstdint>

#include "core/disk_device.h"

// Non-zero when the drive of root is a usable diskette drive: 1 on NT 4.0
// (which is not asked) and on the later NT family when the volume knows 1.44 MB
// 3.5-inch media, 4 when the BIOS of a 95/98/Me system answers for its first
// diskette drive, 0 otherwise.
int ProbeDisketteDrive(int platformKind, const char *root, DiskDevice &device);

// Writes the 512-byte image to sector 0 of the diskette in drive letter and
// reads it back to compare; true when it came back identical. Holds a
// level-0 lock on the volume throughout, and refuses a diskette whose own
// boot sector does not describe the standard 1.44 MB layout, since the
// image's BPB would then misdescribe it and the files already copied would
// become unreadable.
bool WriteBootSector(DiskDevice &device, char driveLetter, const uint8_t *image);

// True when every BPB field of a boot sector from 0x0B to 0x1B (bytes per
// sector up to heads) has the value of the standard 1.44 MB layout; the total
// may also be given in its 32-bit form.
bool DescribesHighDensityDiskette(const uint8_t *sector);
