// Decisions of the user's guides dialog: which guide names a folder gets,
// what a title shows, which picture sits on which button, and what a
// command opens.
#pragma once

#include <cstddef>

#include "resource.h"

// Control ids of the guides dialog.
enum GuideControl {
    kGuideClose = 2, // IDCANCEL
    kGuidePicture2 = IDC_GUIDE_PICTURE2,
    kGuideTitle1 = IDC_GUIDE_TITLE1,
    kGuideTitle2 = IDC_GUIDE_TITLE2,
    kGuidePicture1 = IDC_GUIDE_PICTURE1,
};

// Bitmap ids drawn on the picture and close buttons.
enum GuideBitmap {
    kCloseCrossBitmap = IDB_GUIDE_CLOSE,
    kSegmentDiscBitmap = IDB_GUIDE2_PICTURE,
    kSpeedDiscBitmap = IDB_GUIDE1_PICTURE,
};

// GuidePath holds the folder (at most 259 characters), a backslash and a
// file name of at most 128 characters.
constexpr std::size_t kGuideFolderMax = 259;
constexpr std::size_t kGuideFileSize = 129;
constexpr std::size_t kGuidePathSize = kGuideFolderMax + 1 + (kGuideFileSize - 1) + 1;

// String id of guide 1's file name; guide 2's is one more. The folder's
// language is read from the path itself ("000C" beats "000A"; the search
// is case-sensitive, so "000a" stays English).
unsigned GuideNameId(const char *folderPath);

// How many characters of a file name make its title: those before the
// first ".", or all of them.
std::size_t GuideTitleLength(const char *fileName);

// What a button of the dialog shows.
struct GuideButtonContent {
    int bitmapId; // 0: none
    int guide;    // 1 or 2: the title of that guide; 0: none
};
GuideButtonContent ContentOfGuideButton(int controlId);

// What a command id of the dialog does.
enum class GuideCommand { kIgnore, kOpenGuide1, kOpenGuide2, kClose };
GuideCommand GuideCommandFor(int controlId);

// Copies the caller's folder into GuidePath and appends the backslash.
// False (and an empty GuidePath) when the folder is longer than 259
// characters, so that no guide of a wrong folder can be opened.
bool StoreGuideFolder(char *guidePath, std::size_t guidePathSize, const char *folderPath);

// Appends a guide's file name to GuidePath. False when GuidePath holds no
// folder, or when the document path would not fit the shell's MAX_PATH:
// the dialog then opens nothing rather than a cut-off path.
bool AppendGuideFile(char *guidePath, std::size_t guidePathSize, const char *fileName);
