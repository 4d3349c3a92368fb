#include "standin_kind.h"

#include "resource.h"

#include <cstring>

namespace {

struct Suffix {
    const char *tail; // lower case, backslashes
    StandInKind kind;
};

// The end of the path decides; the Acrobat folders are left out because
// their accented names differ between code pages, while the installer names
// alone are unique.
const Suffix kSuffixes[] = {
    {"\\hd and cd-rom\\0009\\setup.exe", kStandInDrivesEnglish},
    {"\\hd and cd-rom\\000a\\setup.exe", kStandInDrivesSpanish},
    {"\\hd and cd-rom\\000c\\setup.exe", kStandInDrivesFrench},
    {"\\diskette drive\\setup.exe", kStandInDisketteDrive},
    {"\\ar500enu.exe", kStandInReaderEnglish},
    {"\\ar405esl.exe", kStandInReaderSpanish},
    {"\\ar500fra.exe", kStandInReaderFrench},
    {"\\testport.exe", kStandInPortTest},
};

const int kCaptionBase = IDS_CAPTION_BASE;
const int kMessageBase = IDS_MESSAGE_BASE;

char Normalised(char c)
{
    if (c == '/')
        return '\\';
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    return c;
}

bool EndsWith(const char *text, size_t length, const char *tail)
{
    size_t tail_length = std::strlen(tail);
    if (tail_length > length)
        return false;
    const char *start = text + length - tail_length;
    for (size_t i = 0; i < tail_length; ++i)
        if (Normalised(start[i]) != tail[i])
            return false;
    return true;
}

} // namespace

StandInKind ClassifyStandIn(const char *module_path)
{
    if (!module_path)
        return kStandInUnknown;
    size_t length = std::strlen(module_path);
    for (const Suffix &s : kSuffixes)
        if (EndsWith(module_path, length, s.tail))
            return s.kind;
    return kStandInUnknown;
}

int StandInCaptionId(StandInKind kind)
{
    return kCaptionBase + kind;
}

int StandInMessageId(StandInKind kind)
{
    return kMessageBase + kind;
}
