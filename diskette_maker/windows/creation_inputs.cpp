#include "windows/creation_inputs.h"

#include "resource.h"
#include "windows/platform_kind_win.h"

bool GatherCreationInputs(HWND window, const RunSettings &settings, char (&modulePath)[MAX_PATH],
                          CreationInputs &inputs)
{
    DWORD length = GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    inputs.language = settings.LanguageIndex;
    inputs.product = settings.ProductChoice;
    inputs.msdosVariant = MakesMsdosVariant(
        settings.ProductChoice, IsDlgButtonChecked(window, IDC_VARIANT_MSDOS) == BST_CHECKED);
    inputs.startupDiskOption = settings.StartupDiskOption;
    inputs.platformKind = PlatformKind();
    inputs.disketteRoot = settings.DisketteRoot;
    inputs.modulePath = modulePath;
    return true;
}
