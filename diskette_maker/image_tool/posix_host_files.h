// The CD's files as a Linux folder shows them. The creation plan names them
// as Windows does: backslashes between folders, and letters in any case
// (the plan asks for "000a" where the CD holds "000A"), so each part of a
// path is matched without regard to case where no exact match exists.
#pragma once

#include <string>

#include "core/image_front_end.h"

class PosixHostFiles : public HostFiles {
public:
    bool Find(const char *path, HostEntry &entry) override;
    bool ListFolder(const char *folder, Visit visit, void *context) override;
    bool ReadFile(const char *path, uint8_t *data, uint32_t size) override;

    // The host path a plan path stands for ("" when a part is missing).
    static std::string Resolve(const char *planPath);
};

// A file time as a directory entry keeps it, in local time.
DosTime DosTimeOf(long long unixSeconds);
