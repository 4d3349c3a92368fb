// The DiskDevice seam carried out with CreateFileA and DeviceIoControl.
#pragma once

#include <windows.h>

#include "core/disk_device.h"

class Win32DiskDevice : public DiskDevice {
public:
    ~Win32DiskDevice() { Close(); }
    bool OpenVwin32() override;
    bool OpenVolume(const char *volumeName) override;
    uint32_t BufferAddress(void *buffer) override;
    bool Send(DeviceRequest &request) override;
    void Close() override;

private:
    HANDLE device = INVALID_HANDLE_VALUE;
};
