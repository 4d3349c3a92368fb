// The MS-DOS startup files on a drive of the running Windows.
#pragma once

#include <windows.h>

#include "core/startup_files.h"

// Writes the module's Record blocks as files; a short write or a failed
// close (the data never reached the diskette) counts as failure.
class Win32StartupFiles : public StartupFileWriter {
public:
    bool WriteRecordFile(const char *path, int record) override;
};
