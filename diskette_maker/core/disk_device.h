// The one seam through which the diskette maker talks to the disk hardware:
// open a device, send it one DeviceIoControl request, close it. The shipping
// build sends to VWIN32 or an NT volume; the tests send to an emulated
// diskette drive.
#pragma once

#include <cstdint>

// The VWIN32 register block, in the platform's field order (28 bytes).
struct DiocRegisters {
    uint32_t reg_EBX;
    uint32_t reg_EDX;
    uint32_t reg_ECX;
    uint32_t reg_EAX;
    uint32_t reg_EDI;
    uint32_t reg_ESI;
    uint32_t reg_Flags;
};
static_assert(sizeof(DiocRegisters) == 28, "VWIN32 expects a 28-byte register block");

enum : uint32_t {
    VWIN32_DIOC_DOS_IOCTL = 1, // INT 21h AX=440Dh
    VWIN32_DIOC_DOS_INT25 = 2, // absolute disk read
    VWIN32_DIOC_DOS_INT26 = 3, // absolute disk write
    VWIN32_DIOC_DOS_INT13 = 4, // BIOS disk services
    IOCTL_STORAGE_GET_MEDIA_TYPES = 0x2D0C00,
};

enum : uint32_t {
    kCarryFlag = 0x0001,              // bit 0 of reg_Flags: the service failed
    F3_1Pt44_512 = 2,                 // 3.5-inch, 1.44 MB, 512-byte sectors
    kDiskGeometryBytes = 24,          // one DISK_GEOMETRY record
    kDiskGeometryMediaTypeOffset = 8, // after the 64-bit cylinder count
    kMediaTypesBufferBytes = 288,     // room for 12 records
    kSectorBytes = 512,
};

// One DeviceIoControl request: a VWIN32 register block, which is both input
// and output, or the NT media-type query with its output buffer. A sector
// transfer (INT 25h/26h) names its buffer only by the address in reg_EBX.
struct DeviceRequest {
    uint32_t controlCode;
    DiocRegisters *registers; // VWIN32 requests
    void *output;             // NT media-type query
    uint32_t outputSize;
    uint32_t bytesReturned;
};

class DiskDevice {
public:
    // "\\.\vwin32" on the 95/98/Me family.
    virtual bool OpenVwin32() = 0;
    // An NT volume such as "\\.\A:", opened for queries only.
    virtual bool OpenVolume(const char *volumeName) = 0;
    // The 32-bit address by which VWIN32 reaches buffer, for reg_EBX.
    virtual uint32_t BufferAddress(void *buffer) = 0;
    // DeviceIoControl on the open device; false when the call itself fails.
    virtual bool Send(DeviceRequest &request) = 0;
    virtual void Close() = 0;

protected:
    ~DiskDevice() = default;
};
