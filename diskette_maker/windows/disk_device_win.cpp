#include "windows/disk_device_win.h"

bool Win32DiskDevice::OpenVwin32()
{
    Close();
    device = CreateFileA("\\\\.\\vwin32", 0, 0, NULL, 0, FILE_FLAG_DELETE_ON_CLOSE, NULL);
    return device != INVALID_HANDLE_VALUE;
}

bool Win32DiskDevice::OpenVolume(const char *volumeName)
{
    Close();
    device = CreateFileA(volumeName, 0, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    return device != INVALID_HANDLE_VALUE;
}

// VWIN32 exists only on the 32-bit 95/98/Me family, where an address fits
// into EBX.
uint32_t Win32DiskDevice::BufferAddress(void *buffer)
{
    return (uint32_t)(UINT_PTR)buffer;
}

bool Win32DiskDevice::Send(DeviceRequest &request)
{
    DWORD returned = 0;
    BOOL ok;
    if (request.registers) {
        ok = DeviceIoControl(device, request.controlCode, request.registers,
                             sizeof *request.registers, request.registers,
                             sizeof *request.registers, &returned, NULL);
    } else {
        ok = DeviceIoControl(device, request.controlCode, NULL, 0, request.output,
                             request.outputSize, &returned, NULL);
    }
    request.bytesReturned = returned;
    return ok != FALSE;
}

void Win32DiskDevice::Close()
{
    if (device != INVALID_HANDLE_VALUE)
        CloseHandle(device);
    device = INVALID_HANDLE_VALUE;
}
