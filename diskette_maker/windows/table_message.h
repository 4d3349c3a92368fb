// Floppwright's message boxes: a text and a caption from the string table in
// the run's language.
#pragma once

#include <windows.h>

// The text of textBase + language, with argument put in as the drive
// warning's format takes it (a text without a conversion stays as it is),
// under the caption of captionBase + language. Returns MessageBoxA's answer.
int ShowTableMessage(HWND owner, int language, int textBase, int captionBase, const char *argument,
                     UINT style);

// The closing note of a finished run: textBase + language with argument,
// under the window's title. An MS-DOS diskette made without system files
// gets one more line that says it does not start a computer and names the
// folder they were looked for in.
void ShowClosingNote(HWND owner, int language, int textBase, const char *argument,
                     bool withoutSystemFiles);
