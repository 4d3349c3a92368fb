#include "core/action_command.h"

#include <cstring>

#include "common/core/language_codes.h"
#include "common/core/text_builder.h"
#include "resource.h"

Action ActionForCode(int code)
{
    switch (code) {
    case kHardDriveSetup:
    case kCdRomSetup:
    case kDisketteSetup:
    case kDisketteMaker:
        return Action::kRunProgram;
    case kSoftwareUpdates:
        return Action::kOpenWebPage;
    case kUserGuides:
        return Action::kShowGuides;
    case kMessageDialog:
        return Action::kShowMessage;
    case kEndLauncher:
        return Action::kEndLauncher;
    default:
        return Action::kNothing;
    }
}

const char *LanguageSwitch(int languageIndex)
{
    // Floppwright searches its lower-cased command line, so the switch is
    // lower case although the CD's folders are not.
    switch (languageIndex) {
    case 1:
        return " -0009";
    case 2:
        return " -000a";
    case 3:
        return " -000c";
    default:
        return "";
    }
}

bool LauncherDirectoryFrom(const char *moduleFileName, char *out, std::size_t outSize)
{
    TextBuilder b(out, outSize);
    const char *slash = moduleFileName ? std::strrchr(moduleFileName, '\\') : nullptr;
    if (slash == nullptr)
        b.Fail();
    else
        b.Add(moduleFileName, std::size_t(slash - moduleFileName) + 1);
    return b.Finish();
}

bool BuildActionCommand(int code, const char *launcherDirectory, int languageIndex, char *out,
                        std::size_t outSize)
{
    TextBuilder b(out, outSize);
    switch (code) {
    case kHardDriveSetup:
    case kCdRomSetup:
        // Every path is quoted: unquoted, Windows would first try the
        // path's first words as a program, "D:\HD.exe" for
        // "D:\HD and CD-ROM\...", and run whatever was put there.
        b.Add('"')
            .Add(launcherDirectory)
            .Add("HD and CD-ROM\\")
            .Add(LanguageFolder(languageIndex, LetterCase::kUpper))
            .Add("\\Setup.exe\"");
        break;
    case kDisketteSetup:
        b.Add('"').Add(launcherDirectory).Add("Diskette Drive\\Setup.exe\"");
        break;
    case kDisketteMaker:
        b.Add('"')
            .Add(launcherDirectory)
            .Add("Utility\\Floppwright.exe")
            .Add('"')
            .Add(LanguageSwitch(languageIndex));
        break;
    default:
        b.Fail();
        break;
    }
    return b.Finish();
}

bool BuildLingpickCommand(const char *launcherDirectory, char *out, std::size_t outSize)
{
    TextBuilder b(out, outSize);
    b.Add('"').Add(launcherDirectory).Add("Utility\\Lingpick .exe\"");
    return b.Finish();
}

bool BuildGuidesFolder(const char *launcherDirectory, int languageIndex, char *out,
                       std::size_t outSize)
{
    TextBuilder b(out, outSize);
    b.Add(launcherDirectory)
        .Add("User's Guides\\")
        .Add(LanguageFolder(languageIndex, LetterCase::kUpper));
    return b.Finish();
}

bool BuildUpdateUrl(const char *webHost, char *out, std::size_t outSize)
{
    TextBuilder b(out, outSize);
    b.Add("http://").Add(webHost).Add("/software_library/index.html");
    return b.Finish();
}

unsigned ReaderQuestionId(int languageIndex)
{
    return IDS_READER_QUESTION + 100u * unsigned(languageIndex);
}
