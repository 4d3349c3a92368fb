#include "core/guides.h"

#include <cstring>

#include "core/action_command.h"
#include "common/core/text_builder.h"
#include "resource.h"

unsigned GuideNameId(const char *folderPath)
{
    unsigned id = IDS_GUIDE_NAMES;
    if (std::strstr(folderPath, "000A") != nullptr)
        id = IDS_GUIDE_NAMES + 10;
    if (std::strstr(folderPath, "000C") != nullptr)
        id = IDS_GUIDE_NAMES + 20;
    return id;
}

std::size_t GuideTitleLength(const char *fileName)
{
    return std::strcspn(fileName, ".");
}

GuideButtonContent ContentOfGuideButton(int controlId)
{
    switch (controlId) {
    case kGuideClose:
        return {kCloseCrossBitmap, 0};
    case kGuidePicture1:
        return {kSpeedDiscBitmap, 0};
    case kGuidePicture2:
        return {kSegmentDiscBitmap, 0};
    case kGuideTitle1:
        return {0, 1};
    case kGuideTitle2:
        return {0, 2};
    default:
        return {0, 0};
    }
}

GuideCommand GuideCommandFor(int controlId)
{
    switch (controlId) {
    case kGuideTitle1:
    case kGuidePicture1:
        return GuideCommand::kOpenGuide1;
    case kGuideTitle2:
    case kGuidePicture2:
        return GuideCommand::kOpenGuide2;
    case kGuideClose:
        return GuideCommand::kClose;
    default:
        return GuideCommand::kIgnore;
    }
}

bool StoreGuideFolder(char *guidePath, std::size_t guidePathSize, const char *folderPath)
{
    TextBuilder b(guidePath, guidePathSize);
    std::size_t length = folderPath ? BoundedLength(folderPath, kGuideFolderMax + 1) : 0;
    if (length == 0 || length > kGuideFolderMax)
        b.Fail();
    else
        b.Add(folderPath, length).Add('\\');
    return b.Finish();
}

bool AppendGuideFile(char *guidePath, std::size_t guidePathSize, const char *fileName)
{
    std::size_t used = BoundedLength(guidePath, guidePathSize);
    if (used == 0 || used == guidePathSize || fileName == nullptr)
        return false;
    std::size_t name = std::strlen(fileName);
    // The shell takes MAX_PATH characters with the terminator.
    if (name == 0 || used + name >= kCommandSize || used + name >= guidePathSize)
        return false;
    std::memcpy(guidePath + used, fileName, name + 1);
    return true;
}
