// Runs one diskette step of Floppwright in a process of its own, so that the
// Wine tests can choose the Windows version it sees. The exit code is the
// step's result (PlatformKind's value, or 1/0 for true/false); 100 means
// the command line was not understood.
//
//   diskette_step platform-kind
//   diskette_step probe
//   diskette_step write-startup <product>
//   diskette_step copy-system-files
//   diskette_step make-bootable on|off

#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "core/run_settings.h"
#include "windows/bootable_front_end_win.h"
#include "windows/platform_kind_win.h"
#include "windows/raw_diskette_win.h"
#include "windows/startup_files_win.h"

// The core's system-file copy carried out on the running Windows.
static bool CopySystemFilesStep(const char *root)
{
    Win32BootableFrontEnd frontEnd(NULL);
    return CopySystemFiles(root, PlatformKind(), frontEnd);
}

static int RunStep(int argc, char **argv)
{
    if (argc < 2)
        return 100;
    const char *step = argv[1];
    const char *argument = argc > 2 ? argv[2] : "";
    CreationInputs inputs = {kEnglish, kProductNone, true, true, PlatformKind(), "A:\\", ""};
    if (strcmp(step, "platform-kind") == 0)
        return PlatformKind();
    if (strcmp(step, "probe") == 0)
        return ProbeDisketteDrive(inputs.disketteRoot);
    if (strcmp(step, "write-startup") == 0) {
        inputs.product = static_cast<Product>(atoi(argument));
        Win32StartupFiles writer;
        return WriteStartupFiles(inputs.disketteRoot, inputs.product, writer) ? 1 : 0;
    }
    if (strcmp(step, "copy-system-files") == 0)
        return CopySystemFilesStep(inputs.disketteRoot) ? 1 : 0;
    if (strcmp(step, "make-bootable") == 0) {
        inputs.startupDiskOption = strcmp(argument, "off") != 0;
        Win32BootableFrontEnd frontEnd(NULL);
        return RunBootableStep(inputs, frontEnd) ? 1 : 0;
    }
    return 100;
}

int main(int argc, char **argv)
{
    return RunStep(argc, argv);
}
