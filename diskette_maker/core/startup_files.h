// The decisions behind the MS-DOS startup files and the bootable step.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/run_settings.h"

enum { kStartupBlockBytes = 48 };

// Record id of the product's CONFIG.SYS block; 0 for no product.
int ConfigRecordFor(Product product);

// Only the CD-ROM drive's diskette needs AUTOEXEC.BAT (to start MSCDEX).
bool WritesAutoexec(Product product);

// One startup file: its name in the diskette root and the Record block it
// holds.
struct StartupFile {
    const char *name;
    int record;
};

enum { kMaxStartupFiles = 2 };

// The startup files of a product, in the order they are written: its
// CONFIG.SYS, then AUTOEXEC.BAT where it needs one; none for no product.
// Returns their count.
int StartupFilesFor(Product product, StartupFile (&files)[kMaxStartupFiles]);

// Where the startup files go: the diskette on Windows, the image in memory.
class StartupFileWriter {
public:
    // Writes the Record block record as the file path, replacing any old
    // one; true when every byte of it landed.
    virtual bool WriteRecordFile(const char *path, int record) = 0;

protected:
    ~StartupFileWriter() = default;
};

// Writes the product's startup files into root (ending in a backslash, or
// empty), stopping at the first that fails; true when every one of them
// was written, false for no product.
bool WriteStartupFiles(const char *root, Product product, StartupFileWriter &writer);

// Whether the bootable step has anything to do before it probes the drive:
// not where Windows keeps no emergency-boot files to copy (the later NT
// family) and not when the user turned the startup disk off.
bool BootableStepApplies(int platformKind, bool startupDiskOption);

// What makes a diskette start MS-DOS: these files copied from the
// emergency-boot folder, IO.SYS first so that it lands contiguously on the
// freshly erased diskette, where the boot sector expects it; beside them an
// empty MSDOS.SYS; and IO.SYS and MSDOS.SYS marked as system files.
enum { kEmergencyBootFileCount = 2 };
extern const char *const kEmergencyBootFiles[kEmergencyBootFileCount];
extern const char *const kBiosSystemFile;  // the first of them, IO.SYS
extern const char *const kEmptySystemFile; // MSDOS.SYS

// The emergency-boot folder below windowsDir, where Windows 98, Me and
// NT 4.0 keep the MS-DOS system files; out holds MAX_PATH characters.
bool EmergencyBootFolder(const char *windowsDir, char *out);

// The source list of the system-file copy: the emergency-boot files, in
// their order, from the emergency-boot folder below windowsDir. False, with
// the list untouched, when a path would not fit in MAX_PATH or the list
// would overflow.
bool BuildSystemFileSources(const char *windowsDir, char *list, size_t capacity);
