#include "pe_strings.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

// Code page 1252 gives these characters to bytes 0x80 to 0x9F; 0 marks the
// bytes it leaves unassigned. Every other byte is the Unicode code point.
const std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char AnsiOf(std::uint16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (int i = 0; i < 32; i++)
        if (kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    return '?'; // what the ANSI conversion puts for a character it lacks
}

// Bounds-checked little-endian reads from the image.
class Image {
public:
    explicit Image(const std::vector<unsigned char> &bytes) : b_(bytes) {}
    bool Has(std::size_t offset, std::size_t n) const
    {
        return offset <= b_.size() && n <= b_.size() - offset;
    }
    std::uint32_t U16(std::size_t offset) const
    {
        return Has(offset, 2) ? std::uint32_t(b_[offset] | b_[offset + 1] << 8) : 0;
    }
    std::uint32_t U32(std::size_t offset) const
    {
        return Has(offset, 4) ? U16(offset) | U16(offset + 2) << 16 : 0;
    }

private:
    const std::vector<unsigned char> &b_;
};

struct Section {
    std::uint32_t address, size, rawOffset, rawSize;
};

} // namespace

bool PeStrings::Read(const std::vector<unsigned char> &bytes)
{
    strings_.clear();
    Image image(bytes);
    if (!image.Has(0, 64) || image.U16(0) != 0x5A4D)
        return Fail("no MZ header");
    std::size_t pe = image.U32(0x3C);
    if (!image.Has(pe, 24) || image.U32(pe) != 0x00004550)
        return Fail("no PE header");
    std::uint32_t sectionCount = image.U16(pe + 6);
    std::size_t optional = pe + 24;
    std::size_t directories;
    switch (image.U16(optional)) {
    case 0x10B:
        directories = optional + 96;
        break;
    case 0x20B:
        directories = optional + 112;
        break;
    default:
        return Fail("unknown optional header");
    }
    if (image.U32(directories - 4) < 3)
        return true; // no resource directory entry: no strings
    std::uint32_t resourceRva = image.U32(directories + 2 * 8);

    std::vector<Section> sections;
    std::size_t table = optional + image.U16(pe + 20);
    for (std::uint32_t i = 0; i < sectionCount; i++) {
        std::size_t s = table + 40 * i;
        if (!image.Has(s, 40))
            return Fail("section table cut short");
        std::uint32_t virtualSize = image.U32(s + 8), rawSize = image.U32(s + 16);
        sections.push_back({image.U32(s + 12), virtualSize > rawSize ? virtualSize : rawSize,
                            image.U32(s + 20), rawSize});
    }
    // File offset of an RVA, or 0 when no section holds it in the file.
    auto offsetOf = [&](std::uint32_t rva) -> std::size_t {
        for (const Section &s : sections)
            if (rva >= s.address && rva - s.address < s.size && rva - s.address < s.rawSize)
                return std::size_t(s.rawOffset) + (rva - s.address);
        return 0;
    };
    if (resourceRva == 0)
        return true;
    std::size_t root = offsetOf(resourceRva);
    if (root == 0)
        return Fail("resource directory outside the file");

    // The entries of one resource directory: (id, offset of what it leads to).
    auto entries = [&](std::size_t dir) {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> out;
        std::uint32_t named = image.U16(dir + 12), ids = image.U16(dir + 14);
        for (std::uint32_t i = named; i < named + ids; i++) {
            std::size_t e = dir + 16 + 8 * i;
            if (!image.Has(e, 8))
                break;
            out.push_back({image.U32(e), image.U32(e + 4)});
        }
        return out;
    };
    const std::uint32_t kSubdirectory = 0x80000000u, kRtString = 6;
    for (auto type : entries(root)) {
        if (type.first != kRtString || !(type.second & kSubdirectory))
            continue;
        for (auto block : entries(root + (type.second & ~kSubdirectory))) {
            if (!(block.second & kSubdirectory))
                continue;
            auto languages = entries(root + (block.second & ~kSubdirectory));
            // One language per block is what our programs carry.
            if (languages.empty() || (languages[0].second & kSubdirectory))
                continue;
            std::size_t dataEntry = root + languages[0].second;
            std::size_t data = offsetOf(image.U32(dataEntry));
            std::uint32_t size = image.U32(dataEntry + 4);
            if (data == 0 || !image.Has(data, size))
                return Fail("string block outside the file");
            std::size_t at = data, end = data + size;
            for (unsigned j = 0; j < 16 && at + 2 <= end; j++) {
                std::uint32_t length = image.U16(at);
                at += 2;
                if (length > (end - at) / 2)
                    return Fail("string runs past its block");
                std::string text;
                for (std::uint32_t k = 0; k < length; k++)
                    text += AnsiOf(static_cast<std::uint16_t>(image.U16(at + 2 * k)));
                at += 2 * length;
                if (!text.empty() && block.first >= 1)
                    strings_[(block.first - 1) * 16 + j] = text;
            }
        }
    }
    return true;
}

bool PeStrings::ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail("cannot open " + path);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    return Read(bytes);
}

bool PeStrings::Load(unsigned id, char *buffer, std::size_t size) const
{
    if (size == 0)
        return false;
    buffer[0] = '\0';
    auto found = strings_.find(id);
    if (found == strings_.end())
        return false;
    std::size_t n = found->second.copy(buffer, size - 1);
    buffer[n] = '\0';
    return true;
}

std::string Utf8FromAnsi(const std::string &ansi)
{
    std::string out;
    for (unsigned char c : ansi) {
        std::uint32_t u = c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : c;
        if (u == 0)
            u = 0xFFFD;
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | u >> 6);
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | u >> 12);
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}
