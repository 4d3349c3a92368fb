// A diskette drive behind the DiskDevice seam, backed by an image file: it
// answers the VWIN32 services (INT 13h AH=08h, INT 25h/26h, the volume lock
// of INT 21h AX=440Dh) and the NT media-type query the way the platform
// does, and can be told to fail in the ways real drives fail.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/disk_device.h"

class EmulatedDiskette : public DiskDevice {
public:
    // A formatted image of the given size (2880 sectors: 1.44 MB, 1440:
    // 720 KB) written to path; its boot sector carries a BPB to match.
    EmulatedDiskette(const std::string &path, uint32_t sectors);
    ~EmulatedDiskette();

    bool OpenVwin32() override;
    bool OpenVolume(const char *volumeName) override;
    uint32_t BufferAddress(void *buffer) override;
    bool Send(DeviceRequest &request) override;
    void Close() override;

    // How the drive behaves.
    bool vwin32Present = true;
    bool volumePresent = true;
    bool driveAnswersBios = true; // INT 13h AH=08h
    bool writeProtected = false;
    bool refusesLock = false;
    bool corruptsReadBack = false;             // a read after a write returns a changed byte
    bool failsReadBack = false;                // a read after a write sets the carry
    uint32_t failingCode = 0;                  // DeviceIoControl itself fails for this code
    std::vector<uint32_t> mediaTypes = {5, 2}; // F3_720_512, F3_1Pt44_512

    // What happened.
    struct Sent {
        uint32_t code;
        DiocRegisters registers; // as they went in
    };
    std::vector<Sent> sent;
    std::string openedVolume;
    int opens = 0;
    int closes = 0;
    int writes = 0; // sectors actually written
    bool locked = false;

    std::vector<uint8_t> Sector(uint32_t lba);
    void PutSector(uint32_t lba, const std::vector<uint8_t> &bytes);

private:
    enum OpenDevice { None, Vwin32, Volume };
    bool Bios(DiocRegisters &regs);
    bool Absolute(DiocRegisters &regs, bool write);
    bool Ioctl(DiocRegisters &regs);
    bool MediaTypes(DeviceRequest &request);
    static bool Fail(DiocRegisters &regs, uint32_t error);

    // The buffers that BufferAddress has handed out, by their 32-bit address:
    // a transfer goes through the one that reg_EBX names, as in VWIN32.
    std::vector<uint8_t *> buffers;
    static const uint32_t FirstAddress = 0x00410000, AddressStep = 0x1000;

    std::FILE *file = nullptr;
    uint32_t sectors;
    OpenDevice open = None;
    bool written = false;
};
