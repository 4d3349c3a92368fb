// The decisions of the diskette maker window and its product dialog: the
// language, which controls show, hide, check and enable after the product
// choice and after each click, the texts each control carries, and the state
// of the system-menu item. The Win32 front end only carries them out.
#pragma once

#include <cstddef>

#include "common/core/language_codes.h"
#include "common/core/system_language.h"
#include "core/run_settings.h"

enum { kCommandLineCopySize = 260 };

// Copies at most capacity - 1 characters of the command-line tail, lowering
// A-Z only, and always terminates the copy.
void CopyLoweredCommandLine(char *copy, size_t capacity, const char *tail);

// The language radio button of a LanguageIndex and back (0 when none).
int LanguageButton(int language);
int LanguageOfButton(int control);

// One control's text: string id base + LanguageIndex. Control 0 stands for
// the window's caption.
struct TextTarget {
    int control;
    int stringBase;
};
enum { kCaptionTarget = 0 };

// The product dialog's OK and Cancel buttons: IDOK and IDCANCEL.
enum ProductDialogButton { kProductDialogOk = 1, kProductDialogCancel = 2 };

struct TextTargets {
    const TextTarget *targets;
    size_t count;
};
TextTargets MainWindowTexts();
TextTargets ProductDialogTexts();

enum ControlAction {
    kShowControl,
    kHideControl,
    kCheckControl,
    kUncheckControl,
    kEnableControl,
    kDisableControl
};

struct ControlChange {
    int control;
    ControlAction action;
};

struct ControlChanges {
    const ControlChange *changes;
    size_t count;
};

// The changes after the product dialog ended with a product (1-3).
ControlChanges ControlsAfterProduct(Product product);

// The controls that the Copy command disables while the diskette is made.
ControlChanges ControlsDuringCreation();

// What a WM_COMMAND of the main window does. checked is BM_GETCHECK of the
// control that sent it.
enum MainCommandKind { kCommandNone, kCommandCopy, kCommandCancel, kCommandChoice };
struct MainCommand {
    MainCommandKind kind;
    int language;           // the new LanguageIndex, 0 for no change
    ControlChanges changes; // enable or gray the language group
};
MainCommand DecideMainCommand(int control, int notifyCode, bool checked);

// The product dialog's result for one of its product buttons, 0 for others.
int ProductOfButton(int control);

// The system-menu item "Make Startup Disk (MS-DOS)" as set up per PlatformKind.
struct StartupItemState {
    bool checked;
    bool grayed;
};
StartupItemState StartupItemForPlatform(int platformKind);
