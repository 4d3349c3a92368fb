// The choices of one run of Floppwright. The main window owns them and is
// their only writer; the creation and the diskette steps below it get them
// as CreationInputs.
#pragma once

#include <cstdint>

// LanguageIndex (Language: kEnglish, kSpanish, kFrench) selects every text
// (string id = base + LanguageIndex) and the CD's Windows language folder.
#include "common/core/system_language.h"

// ProductChoice: 0 until the product dialog has ended, -1 after Cancel.
enum Product : int32_t {
    kProductNone = 0,
    kProductHardDrive = 1,
    kProductCdromDrive = 2,
    kProductDisketteDrive = 3,
    kProductCancelled = -1,
};

inline bool IsProduct(int32_t choice)
{
    return choice >= kProductHardDrive && choice <= kProductDisketteDrive;
}

// The diskette drive has only an MS-DOS diskette: no Windows variant to
// choose.
inline bool HasOnlyMsdosVariant(Product product)
{
    return product == kProductDisketteDrive;
}

// The variant a run makes, whatever the window or the command line chose.
inline bool MakesMsdosVariant(Product product, bool msdosChosen)
{
    return msdosChosen || HasOnlyMsdosVariant(product);
}

enum { kDisketteRootSize = 4 };
constexpr char kDisketteRoot[kDisketteRootSize] = "A:\\";

struct RunSettings {
    Language LanguageIndex;
    Product ProductChoice;
    bool StartupDiskOption; // follows the system-menu item "Make Startup Disk (MS-DOS)"
    char DisketteRoot[kDisketteRootSize]; // root of the target drive, always "A:\"
};
