#include "core/raw_diskette.h"

#include <cstring>

#include "core/platform_kind.h"

enum : uint32_t {
    kBiosReadDriveParameters = 0x0800,
    kIoctlBlockDevice = 0x440D,
    kLockLogicalVolume = 0x084A,
    kUnlockLogicalVolume = 0x086A,
    kHighDensitySectors = 2880,
};

namespace {

uint32_t ReadLe(const uint8_t *p, int bytes)
{
    uint32_t value = 0;
    while (bytes-- > 0)
        value = value << 8 | p[bytes];
    return value;
}

// A VWIN32 request succeeds when DeviceIoControl does and the service
// leaves the carry clear.
bool SendRegisters(DiskDevice &device, uint32_t code, DiocRegisters &regs)
{
    DeviceRequest request = {};
    request.controlCode = code;
    request.registers = &regs;
    return device.Send(request) && !(regs.reg_Flags & kCarryFlag);
}

int ProbeThroughBios(DiskDevice &device)
{
    device.OpenVwin32();
    DiocRegisters regs = {};
    regs.reg_EAX = kBiosReadDriveParameters; // DL = 0: the first diskette drive
    bool answered = SendRegisters(device, VWIN32_DIOC_DOS_INT13, regs);
    device.Close();
    return answered ? 4 : 0;
}

int ProbeThroughVolume(DiskDevice &device, char letter)
{
    char volume[] = "\\\\.\\A:";
    volume[4] = letter;
    if (!device.OpenVolume(volume))
        return 0;
    uint8_t types[kMediaTypesBufferBytes];
    memset(types, 0, sizeof types);
    DeviceRequest request = {};
    request.controlCode = IOCTL_STORAGE_GET_MEDIA_TYPES;
    request.output = types;
    request.outputSize = sizeof types;
    bool answered = device.Send(request);
    device.Close();
    if (!answered)
        return 0;
    uint32_t returned = request.bytesReturned < sizeof types ? request.bytesReturned : sizeof types;
    for (uint32_t i = 0; i < returned / kDiskGeometryBytes; i++)
        if (ReadLe(types + i * kDiskGeometryBytes + kDiskGeometryMediaTypeOffset, 4) ==
            F3_1Pt44_512)
            return 1;
    return 0;
}

} // namespace

int ProbeDisketteDrive(int platformKind, const char *root, DiskDevice &device)
{
    switch (platformKind) {
    case kPlatformNt4:
        return 1;
    case kPlatformWin98Me:
    case kPlatformWin95:
        return ProbeThroughBios(device);
    default:
        return ProbeThroughVolume(device, root[0]);
    }
}

// The BPB fields from 0x0B to 0x1B of a 1.44 MB diskette as formatted by
// MS-DOS and Windows: the very values the boot-sector image carries.
struct BpbField {
    uint8_t offset;
    uint8_t bytes;
    uint16_t value;
};

static const BpbField kHighDensityLayout[] = {
    {0x0B, 2, kSectorBytes},        // bytes per sector
    {0x0D, 1, 1},                   // sectors per cluster
    {0x0E, 2, 1},                   // reserved sectors
    {0x10, 1, 2},                   // FATs
    {0x11, 2, 224},                 // root directory entries
    {0x13, 2, kHighDensitySectors}, // total sectors (or 0 and the 32-bit form)
    {0x15, 1, 0xF0},                // media descriptor
    {0x16, 2, 9},                   // sectors per FAT
    {0x18, 2, 18},                  // sectors per track
    {0x1A, 2, 2},                   // heads
};

bool DescribesHighDensityDiskette(const uint8_t *sector)
{
    for (const BpbField &field : kHighDensityLayout) {
        uint32_t value = ReadLe(sector + field.offset, field.bytes);
        if (field.offset == 0x13 && value == 0)
            value = ReadLe(sector + 0x20, 4);
        if (value != field.value)
            return false;
    }
    return true;
}

namespace {

// INT 25h/26h on one logical sector of drive (0 = A).
bool TransferSector(DiskDevice &device, uint32_t code, uint8_t drive, uint8_t *buffer)
{
    DiocRegisters regs = {};
    regs.reg_EAX = drive;
    regs.reg_EBX = device.BufferAddress(buffer);
    regs.reg_ECX = 1;
    regs.reg_EDX = 0;
    return SendRegisters(device, code, regs);
}

// INT 21h AX=440Dh, CX=084Ah (lock, level 0) or 086Ah (unlock); BL is the
// 1-based drive.
bool SetVolumeLock(DiskDevice &device, uint32_t function, uint8_t drive)
{
    DiocRegisters regs = {};
    regs.reg_EAX = kIoctlBlockDevice;
    regs.reg_EBX = drive + 1u;
    regs.reg_ECX = function;
    return SendRegisters(device, VWIN32_DIOC_DOS_IOCTL, regs);
}

bool WriteAndVerify(DiskDevice &device, uint8_t drive, const uint8_t *image)
{
    uint8_t sector[kSectorBytes];
    if (!TransferSector(device, VWIN32_DIOC_DOS_INT25, drive, sector) ||
        !DescribesHighDensityDiskette(sector))
        return false;
    memcpy(sector, image, kSectorBytes);
    if (!TransferSector(device, VWIN32_DIOC_DOS_INT26, drive, sector))
        return false;
    memset(sector, 0, kSectorBytes);
    if (!TransferSector(device, VWIN32_DIOC_DOS_INT25, drive, sector))
        return false;
    return memcmp(sector, image, kSectorBytes) == 0;
}

} // namespace

bool WriteBootSector(DiskDevice &device, char driveLetter, const uint8_t *image)
{
    if (driveLetter >= 'a' && driveLetter <= 'z')
        driveLetter = static_cast<char>(driveLetter - 'a' + 'A');
    uint8_t drive = static_cast<uint8_t>(driveLetter - 'A');
    device.OpenVwin32(); // a failed open makes the first request fail
    bool written = false;
    if (SetVolumeLock(device, kLockLogicalVolume, drive)) {
        written = WriteAndVerify(device, drive, image);
        SetVolumeLock(device, kUnlockLogicalVolume, drive);
    }
    device.Close();
    return written;
}
