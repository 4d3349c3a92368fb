#include "emulated_diskette.h"

#include <cstring>

namespace {

void PutLe(uint8_t *p, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The BPB a formatter writes for the two sizes the tests use.
void FormatBootSector(uint8_t *sector, uint32_t sectors)
{
    bool high = sectors == 2880;
    memset(sector, 0, kSectorBytes);
    sector[0] = 0xEB;
    sector[1] = 0x3C;
    sector[2] = 0x90;
    memcpy(sector + 3, "MSDOS5.0", 8);
    PutLe(sector + 0x0B, kSectorBytes, 2);
    sector[0x0D] = high ? 1 : 2;
    PutLe(sector + 0x0E, 1, 2);
    sector[0x10] = 2;
    PutLe(sector + 0x11, high ? 224 : 112, 2);
    PutLe(sector + 0x13, sectors, 2);
    sector[0x15] = high ? 0xF0 : 0xF9;
    PutLe(sector + 0x16, high ? 9 : 3, 2);
    PutLe(sector + 0x18, high ? 18 : 9, 2);
    PutLe(sector + 0x1A, 2, 2);
    sector[0x1FE] = 0x55;
    sector[0x1FF] = 0xAA;
}

} // namespace

EmulatedDiskette::EmulatedDiskette(const std::string &path, uint32_t sectors) : sectors(sectors)
{
    file = std::fopen(path.c_str(), "w+b");
    std::vector<uint8_t> blank(kSectorBytes, 0);
    for (uint32_t i = 0; file && i < sectors; i++)
        std::fwrite(blank.data(), 1, blank.size(), file);
    uint8_t boot[kSectorBytes];
    FormatBootSector(boot, sectors);
    PutSector(0, std::vector<uint8_t>(boot, boot + kSectorBytes));
}

EmulatedDiskette::~EmulatedDiskette()
{
    if (file)
        std::fclose(file);
}

std::vector<uint8_t> EmulatedDiskette::Sector(uint32_t lba)
{
    std::vector<uint8_t> bytes(kSectorBytes, 0);
    if (file && lba < sectors && std::fseek(file, long(lba) * kSectorBytes, SEEK_SET) == 0)
        if (std::fread(bytes.data(), 1, kSectorBytes, file) != kSectorBytes)
            bytes.assign(kSectorBytes, 0);
    return bytes;
}

void EmulatedDiskette::PutSector(uint32_t lba, const std::vector<uint8_t> &bytes)
{
    if (file && lba < sectors && bytes.size() == kSectorBytes &&
        std::fseek(file, long(lba) * kSectorBytes, SEEK_SET) == 0)
        std::fwrite(bytes.data(), 1, kSectorBytes, file);
}

bool EmulatedDiskette::OpenVwin32()
{
    opens++;
    open = vwin32Present ? Vwin32 : None;
    return open == Vwin32;
}

bool EmulatedDiskette::OpenVolume(const char *volumeName)
{
    opens++;
    openedVolume = volumeName;
    open = volumePresent ? Volume : None;
    return open == Volume;
}

uint32_t EmulatedDiskette::BufferAddress(void *buffer)
{
    size_t i = 0;
    while (i < buffers.size() && buffers[i] != buffer)
        i++;
    if (i == buffers.size())
        buffers.push_back(static_cast<uint8_t *>(buffer));
    return FirstAddress + uint32_t(i) * AddressStep;
}

void EmulatedDiskette::Close()
{
    closes++;
    open = None;
    buffers.clear(); // the caller's buffers may be gone after this
}

bool EmulatedDiskette::Fail(DiocRegisters &regs, uint32_t error)
{
    regs.reg_EAX = error;
    regs.reg_Flags |= kCarryFlag;
    return true; // the call went through; the service failed
}

bool EmulatedDiskette::Send(DeviceRequest &request)
{
    if (request.registers)
        sent.push_back({request.controlCode, *request.registers});
    else
        sent.push_back({request.controlCode, DiocRegisters()});
    if (open == None || request.controlCode == failingCode)
        return false;

    if (open == Volume)
        return request.controlCode == IOCTL_STORAGE_GET_MEDIA_TYPES && MediaTypes(request);

    if (!request.registers)
        return false;
    DiocRegisters &regs = *request.registers;
    regs.reg_Flags &= ~uint32_t(kCarryFlag);
    switch (request.controlCode) {
    case VWIN32_DIOC_DOS_INT13:
        return Bios(regs);
    case VWIN32_DIOC_DOS_INT25:
        return Absolute(regs, false);
    case VWIN32_DIOC_DOS_INT26:
        return Absolute(regs, true);
    case VWIN32_DIOC_DOS_IOCTL:
        return Ioctl(regs);
    default:
        return false;
    }
}

bool EmulatedDiskette::Bios(DiocRegisters &regs)
{
    if ((regs.reg_EAX & 0xFF00) != 0x0800)
        return Fail(regs, 0x0100); // invalid function
    if (!driveAnswersBios || (regs.reg_EDX & 0xFF) != 0)
        return Fail(regs, 0x0700);
    bool high = sectors == 2880;
    regs.reg_EAX = 0;
    regs.reg_EBX = high ? 4 : 3;                 // drive type in BL
    regs.reg_ECX = (79u << 8) | (high ? 18 : 9); // last cylinder, sectors
    regs.reg_EDX = (1u << 8) | 1;                // last head, drive count
    return true;
}

bool EmulatedDiskette::Absolute(DiocRegisters &regs, bool write)
{
    uint32_t drive = regs.reg_EAX & 0xFF, count = regs.reg_ECX & 0xFFFF,
             first = regs.reg_EDX & 0xFFFF;
    uint8_t *buffer = nullptr;
    uint32_t offset = regs.reg_EBX - FirstAddress;
    if (regs.reg_EBX >= FirstAddress && offset % AddressStep == 0 &&
        offset / AddressStep < buffers.size())
        buffer = buffers[offset / AddressStep];
    if (drive != 0 || !buffer || count == 0 || count == 0xFFFF || first + count > sectors)
        return Fail(regs, 0x0408); // sector not found
    if (!write && written && failsReadBack)
        return Fail(regs, 0x0402); // address mark not found
    if (write && writeProtected)
        return Fail(regs, 0x0300);
    if (write && !locked)
        return Fail(regs, 0x0300); // Windows refuses direct writes without a lock
    for (uint32_t i = 0; i < count; i++) {
        uint8_t *at = buffer + i * kSectorBytes;
        if (write) {
            PutSector(first + i, std::vector<uint8_t>(at, at + kSectorBytes));
            writes++;
            written = true;
        } else {
            std::vector<uint8_t> bytes = Sector(first + i);
            memcpy(at, bytes.data(), kSectorBytes);
            if (corruptsReadBack && written)
                at[0x100] ^= 0x01;
        }
    }
    return true;
}

bool EmulatedDiskette::Ioctl(DiocRegisters &regs)
{
    uint32_t function = regs.reg_ECX & 0xFFFF;
    uint32_t drive = regs.reg_EBX & 0xFF, level = (regs.reg_EBX >> 8) & 0xFF;
    if ((regs.reg_EAX & 0xFFFF) != 0x440D || drive != 1)
        return Fail(regs, 0x0001);
    if (function == 0x084A) {
        if (refusesLock || level != 0 || locked)
            return Fail(regs, 0x0005); // access denied
        locked = true;
        return true;
    }
    if (function == 0x086A) {
        if (!locked)
            return Fail(regs, 0x00B0); // volume not locked
        locked = false;
        return true;
    }
    return Fail(regs, 0x0001);
}

bool EmulatedDiskette::MediaTypes(DeviceRequest &request)
{
    uint32_t need = uint32_t(mediaTypes.size()) * kDiskGeometryBytes;
    if (!request.output || request.outputSize < need)
        return false; // ERROR_INSUFFICIENT_BUFFER
    uint8_t *out = static_cast<uint8_t *>(request.output);
    memset(out, 0, need);
    for (size_t i = 0; i < mediaTypes.size(); i++) {
        uint8_t *record = out + i * kDiskGeometryBytes;
        PutLe(record, 80, 8);
        PutLe(record + kDiskGeometryMediaTypeOffset, mediaTypes[i], 4);
        PutLe(record + 12, 2, 4);
        PutLe(record + 16, mediaTypes[i] == F3_1Pt44_512 ? 18 : 9, 4);
        PutLe(record + 20, kSectorBytes, 4);
    }
    request.bytesReturned = need;
    return true;
}
