// Small helpers shared by the main window and the product dialog.
#pragma once

#include <windows.h>

#include "common/windows/centre_window.h"
#include "core/window_rules.h"

// Loads each target's string for the language (a LanguageIndex) and sets it.
void RefreshTexts(HWND window, const TextTargets &texts, int language);

// Carries out show, hide, check and enable changes on a window's controls.
void ApplyControlChanges(HWND window, const ControlChanges &changes);

// A heading font of the dialog base height, bold, in the given face.
HFONT CreateHeadingFont(const char *face, bool underline, bool italic);
