// The decisions behind the MS-DOS startup files and the bootable step.
#pragma once

#include <cstddef>
#include <cstdint>

enum { kStartupBlockBytes = 48 };

// Record id of the product's CONFIG.SYS block; 0 for no product.
int ConfigRecordFor(int32_t productChoice);

// Only the CD-ROM drive's diskette needs AUTOEXEC.BAT (to start MSCDEX).
bool WritesAutoexec(int32_t productChoice);

// Whether the bootable step has anything to do before it probes the drive:
// not where Windows keeps no emergency-boot files to copy (the later NT
// family) and not when the user turned the startup disk off.
bool BootableStepApplies(int platformKind, bool startupDiskOption);

// The emergency-boot folder below windowsDir, where Windows 98, Me and
// NT 4.0 keep the MS-DOS system files; out holds MAX_PATH characters.
bool EmergencyBootFolder(const char *windowsDir, char *out);

// The source list of the system-file copy: IO.SYS, then COMMAND.COM, from
// the emergency-boot folder below windowsDir. IO.SYS goes first so that it
// lands contiguously on the freshly erased diskette, where the boot sector
// expects it. False, with the list untouched, when a path would not fit in
// MAX_PATH or the list would overflow.
bool BuildSystemFileSources(const char *windowsDir, char *list, size_t capacity);
