#include "core/window_rules.h"

#include <cstring>

#include "resource.h"

namespace {

const TextTarget MainTexts[] = {
    {IDC_DESCRIPTION, IDS_DESCRIPTION_BASE},
    {IDC_COPY, IDS_COPY_BASE},
    {IDC_CANCEL, IDS_CANCEL_BASE},
    {IDC_HEADING, IDS_TITLE_BASE},
    {CaptionTarget, IDS_TITLE_BASE},
    {IDC_LANG_GROUP, IDS_LANGUAGE_BASE},
    {IDC_VARIANT_GROUP, IDS_DISKTYPE_BASE},
};

const TextTarget ProductTexts[] = {
    {IDC_PRODUCT_HEADING, IDS_SELECTPRODUCT_BASE},
    {2, IDS_CANCEL_BASE},
    {1, IDS_OK_BASE},
    {IDC_PRODUCT_HARDDRIVE, IDS_HARDDRIVE_BASE},
    {IDC_PRODUCT_CDROM, IDS_CDROM_BASE},
    {IDC_PRODUCT_DISKETTE, IDS_DISKETTE_BASE},
    {CaptionTarget, IDS_TITLE_BASE},
};

const ControlChange ShowLanguageGroup[] = {
    {IDC_LANG_GROUP, ShowControl},
    {IDC_LANG_ENGLISH, ShowControl},
    {IDC_LANG_SPANISH, ShowControl},
    {IDC_LANG_FRENCH, ShowControl},
};

// The diskette drive has only an MS-DOS diskette: no variant to choose, and
// no language to choose for it.
const ControlChange DisketteDriveOnly[] = {
    {IDC_VARIANT_GROUP, HideControl},
    {IDC_VARIANT_WINDOWS, HideControl},
    {IDC_VARIANT_WINDOWS, UncheckControl},
    {IDC_VARIANT_MSDOS, HideControl},
    {IDC_VARIANT_MSDOS, CheckControl},
};

const ControlChange EnableLanguageGroup[] = {
    {IDC_LANG_FRENCH, EnableControl},
    {IDC_LANG_SPANISH, EnableControl},
    {IDC_LANG_ENGLISH, EnableControl},
    {IDC_LANG_GROUP, EnableControl},
};

const ControlChange GrayLanguageGroup[] = {
    {IDC_LANG_FRENCH, DisableControl},
    {IDC_LANG_SPANISH, DisableControl},
    {IDC_LANG_ENGLISH, DisableControl},
    {IDC_LANG_GROUP, DisableControl},
};

const ControlChange CreationLock[] = {
    {IDC_COPY, DisableControl},
    {IDC_CANCEL, DisableControl},
    {IDC_LANG_FRENCH, DisableControl},
    {IDC_LANG_SPANISH, DisableControl},
    {IDC_LANG_ENGLISH, DisableControl},
    {IDC_VARIANT_WINDOWS, DisableControl},
    {IDC_VARIANT_MSDOS, DisableControl},
};

template <size_t N>
ControlChanges Changes(const ControlChange (&changes)[N])
{
    return {changes, N};
}

const ControlChanges NoChanges = {nullptr, 0};

}  // namespace

void CopyLoweredCommandLine(char* copy, size_t capacity, const char* tail)
{
    if (capacity == 0)
        return;
    size_t i = 0;
    for (; tail && tail[i] != '\0' && i + 1 < capacity; i++) {
        char c = tail[i];
        copy[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    copy[i] = '\0';
}

int LanguageFromLangId(unsigned langId)
{
    switch (langId & 0x3FF) {
    case 0x0A: return 2;
    case 0x0C: return 3;
    default: return 1;
    }
}

int LanguageFromCommandLine(const char* lowered, int fallback)
{
    if (strstr(lowered, "0009"))
        return 1;
    if (strstr(lowered, "000c"))
        return 3;
    if (strstr(lowered, "000a"))
        return 2;
    return fallback;
}

int LanguageButton(int language)
{
    switch (language) {
    case 2: return IDC_LANG_SPANISH;
    case 3: return IDC_LANG_FRENCH;
    default: return IDC_LANG_ENGLISH;
    }
}

int LanguageOfButton(int control)
{
    switch (control) {
    case IDC_LANG_ENGLISH: return 1;
    case IDC_LANG_SPANISH: return 2;
    case IDC_LANG_FRENCH: return 3;
    default: return 0;
    }
}

TextTargets MainWindowTexts()
{
    return {MainTexts, sizeof MainTexts / sizeof MainTexts[0]};
}

TextTargets ProductDialogTexts()
{
    return {ProductTexts, sizeof ProductTexts / sizeof ProductTexts[0]};
}

ControlChanges ControlsAfterProduct(int product)
{
    if (product == 1 || product == 2)
        return Changes(ShowLanguageGroup);
    return Changes(DisketteDriveOnly);
}

ControlChanges ControlsDuringCreation()
{
    return Changes(CreationLock);
}

MainCommand DecideMainCommand(int control, int notifyCode, bool checked)
{
    const int ButtonClicked = 0;
    MainCommand command = {CommandChoice, 0, NoChanges};
    switch (control) {
    case IDC_COPY:
        command.kind = CommandCopy;
        break;
    case IDC_CANCEL:
        command.kind = CommandCancel;
        break;
    case IDC_LANG_ENGLISH:
    case IDC_LANG_SPANISH:
    case IDC_LANG_FRENCH:
        if (checked)
            command.language = LanguageOfButton(control);
        break;
    case IDC_VARIANT_WINDOWS:
        if (checked && notifyCode == ButtonClicked)
            command.changes = Changes(EnableLanguageGroup);
        break;
    case IDC_VARIANT_MSDOS:
        if (checked)
            command.changes = Changes(GrayLanguageGroup);
        break;
    default:
        command.kind = CommandNone;
        break;
    }
    return command;
}

int ProductOfButton(int control)
{
    switch (control) {
    case IDC_PRODUCT_HARDDRIVE: return 1;
    case IDC_PRODUCT_CDROM: return 2;
    case IDC_PRODUCT_DISKETTE: return 3;
    default: return 0;
    }
}

StartupItemState StartupItemForPlatform(int platformKind)
{
    if (platformKind == 0)
        return {false, true};
    return {true, false};
}

int CentredOrigin(int reference, int lo, int hi)
{
    return (reference + lo - hi) / 2;
}
