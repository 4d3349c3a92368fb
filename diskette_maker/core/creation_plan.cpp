#include "core/creation_plan.h"

#include <cstdlib>
#include <cstring>

#include "common/core/text_builder.h"
#include "core/path_list.h"
#include "core/platform_kind.h"
#include "core/source_lists.h"
#include "core/startup_files.h"

namespace {

const StepRule kStepRules[kCreationStepCount] = {
    {kStepSaveSystemFiles, kOperationCopy, kFlagsSaveRestore, kFailureForgetsSaved},
    {kStepErase, kOperationDelete, kFlagsErase, kFailureEndsRun},
    {kStepRestoreSystemFiles, kOperationMove, kFlagsSaveRestore, kAbortEndsRun},
    {kStepCopyProduct, kOperationCopy, kFlagsCopyFromCd, kFailureEndsRun},
    {kStepCopyGuide, kOperationCopy, kFlagsCopyFromCd, kFailureIgnored},
    {kStepCopyTestPort, kOperationCopy, kFlagsCopyFromCd, kFailureIgnored},
};

// Saved, and moved back, in this order; some DOS versions name their system
// files IBMBIO.COM and IBMDOS.COM. The BIOS file goes back first: on the
// freshly erased diskette it then takes the first root entry and the first
// data cluster, where the boot sectors of older system diskettes look for it.
// Coming first, it is also the last to be left out of a full list.
const char *const kSystemFileNames[] = {
    "IBMBIO.COM", "IO.SYS", "IBMDOS.COM", "MSDOS.SYS", "COMMAND.COM",
};
const size_t kSystemFileCount = sizeof kSystemFileNames / sizeof kSystemFileNames[0];

const char *const kErasePattern = "*.*";

FileOperationResult Run(CreationFrontEnd &frontEnd, CreationStep step, const char *from,
                        const char *to)
{
    const StepRule &rule = RuleFor(step);
    FileOperation operation = {step, rule.operation, from, to, rule.flags};
    return frontEnd.RunFileOperation(operation);
}

// The run's buffers: the source list lives on the heap, as it is large.
struct CreationBuffers {
    char *sources = nullptr;
    char savedDisk[kSavedDiskListCapacity] = {};
    char savedTemp[kSavedTempListCapacity] = {};
    char target[kCreationPathSize + 2] = {};
    char erase[kCreationPathSize + 2] = {};
    ProductSources paths = {};

    ~CreationBuffers() { free(sources); }
};

// Everything that can be prepared before the diskette is touched: the
// product's CD paths, the target and erase lists.
bool Prepare(const CreationInputs &in, CreationBuffers &b)
{
    b.sources = static_cast<char *>(calloc(kSourceListCapacity, 1));
    if (!b.sources)
        return false;
    char cdRoot[kCreationPathSize];
    if (!CdRootFromModulePath(in.modulePath, cdRoot, sizeof cdRoot))
        return false;
    if (!BuildProductSources(cdRoot, in.product, in.msdosVariant, in.language, b.paths))
        return false;
    char pattern[kCreationPathSize];
    if (!JoinText(pattern, sizeof pattern, {in.disketteRoot, kErasePattern}))
        return false;
    return AppendToPathList(b.erase, pattern, sizeof b.erase) != 0 &&
        AppendToPathList(b.target, in.disketteRoot, sizeof b.target) != 0;
}

// Fills the source list afresh with up to two paths and runs one copy.
FileOperationResult CopyToDiskette(CreationFrontEnd &frontEnd, CreationBuffers &b,
                                   CreationStep step, const char *first, const char *second)
{
    memset(b.sources, 0, kSourceListCapacity);
    AppendToPathList(b.sources, first, kSourceListCapacity);
    if (second[0] != '\0')
        AppendToPathList(b.sources, second, kSourceListCapacity);
    return Run(frontEnd, step, b.sources, b.target);
}

// The run's save folder: the first saved path up to its last backslash.
void SaveFolderOf(const char *savedTemp, char (&folder)[kCreationPathSize])
{
    memset(folder, 0, sizeof folder);
    const char *lastSlash = strrchr(savedTemp, '\\');
    size_t length = lastSlash ? static_cast<size_t>(lastSlash - savedTemp) + 1 : 0;
    if (length < sizeof folder)
        memcpy(folder, savedTemp, length);
}

// Moves the saved system files back and removes the save folder, which
// stays only while it holds files that did not get back. Those the user is
// told of: nothing else would ever point there.
FileOperationResult RestoreSystemFiles(CreationFrontEnd &frontEnd, CreationBuffers &b)
{
    FileOperationResult moved = Run(frontEnd, kStepRestoreSystemFiles, b.savedTemp, b.savedDisk);
    char folder[kCreationPathSize];
    SaveFolderOf(b.savedTemp, folder);
    if (moved.returned != 0 || moved.aborted)
        frontEnd.ShowFilesLeftIn(folder);
    frontEnd.RemoveSaveFolder(folder);
    return moved;
}

// Runs the bootable step; true when the diskette was to start a computer
// and has no system files to do it with: the system keeps none (the later
// NT family, Windows 95) or they could not be copied. A drive that did not
// answer the probe was left as it was, and is not told of.
bool LacksSystemFiles(const CreationInputs &in, BootableFrontEnd &frontEnd)
{
    bool copyFailed = !RunBootableStep(in, frontEnd);
    return in.startupDiskOption &&
        (copyFailed || !BootableStepApplies(in.platformKind, in.startupDiskOption));
}

} // namespace

const StepRule &RuleFor(CreationStep step)
{
    return kStepRules[step];
}

bool OperationFailed(const StepRule &rule, const FileOperationResult &result)
{
    if (rule.onFailure == kAbortEndsRun)
        return result.aborted;
    return result.returned != 0 || result.aborted;
}

bool EraseNeedsQuestion(bool foundEntry, unsigned long lastError)
{
    const unsigned long kFileNotFound = 2, kNoMoreFiles = 18;
    if (foundEntry)
        return true;
    return lastError != kFileNotFound && lastError != kNoMoreFiles;
}

bool CdRootFromModulePath(const char *modulePath, char *root, size_t capacity)
{
    const char *last = strrchr(modulePath, '\\');
    if (!last)
        return false;
    const char *above = last;
    while (above > modulePath && *--above != '\\') {}
    if (*above != '\\' || above == last)
        return false;
    size_t length = static_cast<size_t>(above - modulePath) + 1;
    if (length + 1 > capacity)
        return false;
    memcpy(root, modulePath, length);
    root[length] = '\0';
    return true;
}

bool SaveSystemFiles(const CreationInputs &in, CreationFrontEnd &frontEnd, char *diskSide,
                     char *tempSide)
{
    if (!in.startupDiskOption)
        return false;
    // The save folder is made only when there is something to put in it.
    bool present[kSystemFileCount];
    bool any = false;
    for (size_t i = 0; i < kSystemFileCount; i++) {
        present[i] = frontEnd.FileExistsIn(in.disketteRoot, kSystemFileNames[i]);
        any = any || present[i];
    }
    char temp[kCreationPathSize] = {};
    if (!any || !frontEnd.GetTempFolder(temp, sizeof temp) ||
        !frontEnd.MakeSaveFolder(temp, sizeof temp))
        return false;

    bool found = false;
    for (size_t i = 0; i < kSystemFileCount; i++) {
        const char *name = kSystemFileNames[i];
        if (!present[i])
            continue;
        char diskPath[kCreationPathSize], tempPath[kCreationPathSize];
        if (!JoinText(diskPath, sizeof diskPath, {in.disketteRoot, name}) ||
            !JoinText(tempPath, sizeof tempPath, {temp, name}))
            continue;
        if (!AppendToPathListPair(diskSide, diskPath, kSavedDiskListCapacity, tempSide, tempPath,
                                  kSavedTempListCapacity))
            continue;
        found = true;
    }
    if (!found)
        frontEnd.RemoveSaveFolder(temp);
    return found;
}

CreationEnd RunCreation(const CreationInputs &in, CreationFrontEnd &frontEnd)
{
    if (!frontEnd.ConfirmErase(in.disketteRoot))
        return kEndedDeclined;

    CreationBuffers b;
    if (!Prepare(in, b))
        return kEndedUnprepared;
    AppendToPathList(b.sources, b.paths.product, kSourceListCapacity);
    if (b.paths.drivers[0] != '\0')
        AppendToPathList(b.sources, b.paths.drivers, kSourceListCapacity);

    if (in.msdosVariant && SaveSystemFiles(in, frontEnd, b.savedDisk, b.savedTemp)) {
        FileOperationResult saved = Run(frontEnd, kStepSaveSystemFiles, b.savedDisk, b.savedTemp);
        if (OperationFailed(RuleFor(kStepSaveSystemFiles), saved)) {
            b.savedDisk[0] = '\0';
            char folder[kCreationPathSize];
            SaveFolderOf(b.savedTemp, folder);
            frontEnd.RemoveSaveFolder(folder);
        }
    }

    if (OperationFailed(RuleFor(kStepErase), Run(frontEnd, kStepErase, b.erase, nullptr))) {
        // Whatever the erase took of the diskette's own system files is put
        // back before the run ends.
        if (b.savedDisk[0] != '\0')
            RestoreSystemFiles(frontEnd, b);
        return kEndedEraseFailed;
    }

    bool withoutSystemFiles = false;
    if (b.savedDisk[0] != '\0') {
        // A move back that failed part-way goes on with the run.
        if (OperationFailed(RuleFor(kStepRestoreSystemFiles), RestoreSystemFiles(frontEnd, b)))
            return kEndedRestoreAborted;
        WriteStartupFiles(in.disketteRoot, in.product, frontEnd.StartupFiles());
    } else if (in.msdosVariant) {
        withoutSystemFiles = LacksSystemFiles(in, frontEnd.Bootable());
        WriteStartupFiles(in.disketteRoot, in.product, frontEnd.StartupFiles());
    }

    if (OperationFailed(RuleFor(kStepCopyProduct),
                        Run(frontEnd, kStepCopyProduct, b.sources, b.target)))
        return kEndedProductCopyFailed;

    CopyToDiskette(frontEnd, b, kStepCopyGuide, b.paths.guide, "");
    if (b.paths.testPort[0] != '\0')
        CopyToDiskette(frontEnd, b, kStepCopyTestPort, b.paths.testPort, b.paths.testPortNotes);

    frontEnd.ShowClosingNote(withoutSystemFiles);
    return kEndedFinished;
}

bool PlaceSystemFiles(const char *root, BootableFrontEnd &frontEnd)
{
    char ioSys[kCreationPathSize], msdosSys[kCreationPathSize];
    if (!JoinText(ioSys, sizeof ioSys, {root, kBiosSystemFile}) ||
        !JoinText(msdosSys, sizeof msdosSys, {root, kEmptySystemFile}))
        return false;
    if (!frontEnd.CopyEmergencyBootFiles(root) || !frontEnd.CreateEmptyFile(msdosSys))
        return false;
    frontEnd.MarkSystemFile(ioSys);
    frontEnd.MarkSystemFile(msdosSys);
    return true;
}

bool CopySystemFiles(const char *root, int platformKind, BootableFrontEnd &frontEnd)
{
    if (platformKind == kPlatformWin95)
        return false;
    return PlaceSystemFiles(root, frontEnd);
}

bool RunBootableStep(const CreationInputs &in, BootableFrontEnd &frontEnd)
{
    if (!BootableStepApplies(in.platformKind, in.startupDiskOption) ||
        !frontEnd.ProbeDrive(in.disketteRoot))
        return true;
    if (!CopySystemFiles(in.disketteRoot, in.platformKind, frontEnd))
        return false;
    // A diskette that will not start a computer is still a setup diskette.
    frontEnd.WriteBootSector(in.disketteRoot);
    return true;
}
