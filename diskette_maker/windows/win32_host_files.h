// The CD's files as Windows shows them, for the image front end.
#pragma once

#include <windows.h>

#include "core/image_front_end.h"

class Win32HostFiles : public HostFiles {
public:
    bool Find(const char *path, HostEntry &entry) override;
    bool ListFolder(const char *folder, Visit visit, void *context) override;
    bool ReadFile(const char *path, uint8_t *data, uint32_t size) override;
};

// The Record blocks of the module's resources.
class ResourceRecords : public RecordSource {
public:
    const uint8_t *Record(int id, uint32_t *size) override;
};
