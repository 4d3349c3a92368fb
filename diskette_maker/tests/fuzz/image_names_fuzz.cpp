// File names come from the CD and, through floppwright-image, from any Linux
// folder. Whatever they are, the image writer must stay within its buffers,
// and every short name it hands out must be one DOS can read (no blanks
// inside, only the characters short names may hold) and unique in its
// folder.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/fat12_image.h"
#include "core/raw_diskette.h"

namespace {

bool Taken(const void *context, const uint8_t *shortName)
{
    const auto *taken = static_cast<const std::set<std::string> *>(context);
    return taken->count(std::string(reinterpret_cast<const char *>(shortName), 11)) != 0;
}

bool Readable(const uint8_t *shortName)
{
    static const char Allowed[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%&'()-@^_`{}~";
    for (int part = 0; part < 2; part++) {
        int start = part ? 8 : 0, length = part ? 3 : 8;
        bool blank = false;
        for (int i = start; i < start + length; i++) {
            if (shortName[i] == ' ')
                blank = true;
            else if (blank || !std::strchr(Allowed, shortName[i]))
                return false;
        }
    }
    return shortName[0] != ' ';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static std::vector<uint8_t> image(kImageBytes);
    static const std::vector<uint8_t> contents(kImageBytes, 0x5A);
    // The BPB of a 1.44 MB diskette, as our boot record carries it.
    uint8_t boot[512] = {};
    static const uint8_t Bpb[] = {0x00, 0x02, 1, 1, 0,  2, 224, 0, 0x40,
                                  0x0B, 0xF0, 9, 0, 18, 0, 2,   0};
    std::memcpy(boot + 0x0B, Bpb, sizeof Bpb);
    Fat12Image writer;
    if (!writer.Start(image.data(), boot))
        __builtin_trap();
    int folder = writer.AddFolder(0, "Drivers", {0x21, 0});

    std::set<std::string> taken;
    std::string name;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i < size && data[i] != '\n') {
            name.push_back(data[i] ? static_cast<char>(data[i]) : '_');
            continue;
        }
        uint8_t shortName[11];
        bool longName = false;
        if (MakeShortName(name.c_str(), Taken, &taken, shortName, &longName)) {
            if (!Readable(shortName) ||
                !taken.insert(std::string(reinterpret_cast<char *>(shortName), 11)).second)
                __builtin_trap();
        }
        uint32_t bytes = static_cast<uint32_t>(name.size() * 97);
        writer.AddFile(name.size() % 2 ? folder : 0, name.c_str(), contents.data(), bytes, 0,
                       {0, 0});
        name.clear();
    }
    writer.Finish();
    return 0;
}
