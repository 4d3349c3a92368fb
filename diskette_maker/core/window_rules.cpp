#include "core/window_rules.h"

#include "core/platform_kind.h"
#include "core/run_settings.h"
#include "resource.h"

namespace {

const TextTarget kMainTexts[] = {
    {IDC_DESCRIPTION, IDS_DESCRIPTION_BASE}, {IDC_COPY, IDS_COPY_BASE},
    {IDC_CANCEL, IDS_CANCEL_BASE},           {IDC_HEADING, IDS_TITLE_BASE},
    {kCaptionTarget, IDS_TITLE_BASE},        {IDC_LANG_GROUP, IDS_LANGUAGE_BASE},
    {IDC_VARIANT_GROUP, IDS_DISKTYPE_BASE},
};

const TextTarget kProductTexts[] = {
    {IDC_PRODUCT_HEADING, IDS_SELECTPRODUCT_BASE},
    {kProductDialogCancel, IDS_CANCEL_BASE},
    {kProductDialogOk, IDS_OK_BASE},
    {IDC_PRODUCT_HARDDRIVE, IDS_HARDDRIVE_BASE},
    {IDC_PRODUCT_CDROM, IDS_CDROM_BASE},
    {IDC_PRODUCT_DISKETTE, IDS_DISKETTE_BASE},
    {kCaptionTarget, IDS_TITLE_BASE},
};

const ControlChange kShowLanguageGroup[] = {
    {IDC_LANG_GROUP, kShowControl},
    {IDC_LANG_ENGLISH, kShowControl},
    {IDC_LANG_SPANISH, kShowControl},
    {IDC_LANG_FRENCH, kShowControl},
};

// The diskette drive has only an MS-DOS diskette: no variant to choose, and
// no language to choose for it.
const ControlChange kDisketteDriveOnly[] = {
    {IDC_VARIANT_GROUP, kHideControl},      {IDC_VARIANT_WINDOWS, kHideControl},
    {IDC_VARIANT_WINDOWS, kUncheckControl}, {IDC_VARIANT_MSDOS, kHideControl},
    {IDC_VARIANT_MSDOS, kCheckControl},
};

const ControlChange kEnableLanguageGroup[] = {
    {IDC_LANG_FRENCH, kEnableControl},
    {IDC_LANG_SPANISH, kEnableControl},
    {IDC_LANG_ENGLISH, kEnableControl},
    {IDC_LANG_GROUP, kEnableControl},
};

const ControlChange kGrayLanguageGroup[] = {
    {IDC_LANG_FRENCH, kDisableControl},
    {IDC_LANG_SPANISH, kDisableControl},
    {IDC_LANG_ENGLISH, kDisableControl},
    {IDC_LANG_GROUP, kDisableControl},
};

const ControlChange kCreationLock[] = {
    {IDC_COPY, kDisableControl},          {IDC_CANCEL, kDisableControl},
    {IDC_LANG_FRENCH, kDisableControl},   {IDC_LANG_SPANISH, kDisableControl},
    {IDC_LANG_ENGLISH, kDisableControl},  {IDC_VARIANT_WINDOWS, kDisableControl},
    {IDC_VARIANT_MSDOS, kDisableControl},
};

template <size_t N> ControlChanges Changes(const ControlChange (&changes)[N])
{
    return {changes, N};
}

const ControlChanges kNoChanges = {nullptr, 0};

} // namespace

void CopyLoweredCommandLine(char *copy, size_t capacity, const char *tail)
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

int LanguageButton(int language)
{
    switch (language) {
    case kSpanish:
        return IDC_LANG_SPANISH;
    case kFrench:
        return IDC_LANG_FRENCH;
    default:
        return IDC_LANG_ENGLISH;
    }
}

int LanguageOfButton(int control)
{
    switch (control) {
    case IDC_LANG_ENGLISH:
        return kEnglish;
    case IDC_LANG_SPANISH:
        return kSpanish;
    case IDC_LANG_FRENCH:
        return kFrench;
    default:
        return 0;
    }
}

TextTargets MainWindowTexts()
{
    return {kMainTexts, sizeof kMainTexts / sizeof kMainTexts[0]};
}

TextTargets ProductDialogTexts()
{
    return {kProductTexts, sizeof kProductTexts / sizeof kProductTexts[0]};
}

ControlChanges ControlsAfterProduct(Product product)
{
    if (IsProduct(product) && !HasOnlyMsdosVariant(product))
        return Changes(kShowLanguageGroup);
    return Changes(kDisketteDriveOnly);
}

ControlChanges ControlsDuringCreation()
{
    return Changes(kCreationLock);
}

MainCommand DecideMainCommand(int control, int notifyCode, bool checked)
{
    const int kButtonClicked = 0;
    MainCommand command = {kCommandChoice, 0, kNoChanges};
    switch (control) {
    case IDC_COPY:
        command.kind = kCommandCopy;
        break;
    case IDC_CANCEL:
        command.kind = kCommandCancel;
        break;
    case IDC_LANG_ENGLISH:
    case IDC_LANG_SPANISH:
    case IDC_LANG_FRENCH:
        if (checked)
            command.language = LanguageOfButton(control);
        break;
    case IDC_VARIANT_WINDOWS:
        if (checked && notifyCode == kButtonClicked)
            command.changes = Changes(kEnableLanguageGroup);
        break;
    case IDC_VARIANT_MSDOS:
        if (checked)
            command.changes = Changes(kGrayLanguageGroup);
        break;
    default:
        command.kind = kCommandNone;
        break;
    }
    return command;
}

int ProductOfButton(int control)
{
    switch (control) {
    case IDC_PRODUCT_HARDDRIVE:
        return kProductHardDrive;
    case IDC_PRODUCT_CDROM:
        return kProductCdromDrive;
    case IDC_PRODUCT_DISKETTE:
        return kProductDisketteDrive;
    default:
        return kProductNone;
    }
}

StartupItemState StartupItemForPlatform(int platformKind)
{
    if (platformKind == kPlatformNtLater)
        return {false, true};
    return {true, false};
}
