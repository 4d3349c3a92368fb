#include "core/creation_plan.h"

#include <cstdlib>
#include <cstring>

#include "core/path_list.h"
#include "core/platform_kind.h"
#include "core/source_lists.h"
#include "core/startup_files.h"

namespace {

const StepRule StepRules[CreationStepCount] = {
    {StepSaveSystemFiles, OperationCopy, FlagsSaveRestore, FailureForgetsSaved},
    {StepErase, OperationDelete, FlagsErase, FailureEndsRun},
    {StepRestoreSystemFiles, OperationMove, FlagsSaveRestore, AbortEndsRun},
    {StepCopyProduct, OperationCopy, FlagsCopyFromCd, FailureEndsRun},
    {StepCopyGuide, OperationCopy, FlagsCopyFromCd, FailureIgnored},
    {StepCopyTestPort, OperationCopy, FlagsCopyFromCd, FailureIgnored},
};

// Saved, and moved back, in this order; some DOS versions name their system
// files IBMBIO.COM and IBMDOS.COM. The BIOS file goes back first: on the
// freshly erased diskette it then takes the first root entry and the first
// data cluster, where the boot sectors of older system diskettes look for it.
// Coming first, it is also the last to be left out of a full list.
const char* const SystemFileNames[] = {
    "IBMBIO.COM", "IO.SYS", "IBMDOS.COM", "MSDOS.SYS", "COMMAND.COM",
};

const char* const ErasePattern = "*.*";

bool JoinInto(char* out, size_t capacity, const char* first, const char* second)
{
    size_t a = strlen(first), b = strlen(second);
    if (a + b + 1 > capacity)
        return false;
    memcpy(out, first, a);
    memcpy(out + a, second, b + 1);
    return true;
}

FileOperationResult Run(CreationFrontEnd& frontEnd, CreationStep step,
                        const char* from, const char* to)
{
    const StepRule& rule = RuleFor(step);
    FileOperation operation = {step, rule.operation, from, to, rule.flags};
    return frontEnd.RunFileOperation(operation);
}

// The run's buffers: the source list lives on the heap, as it is large.
struct CreationBuffers {
    char* sources = nullptr;
    char savedDisk[SavedDiskListCapacity] = {};
    char savedTemp[SavedTempListCapacity] = {};
    char target[CreationPathSize + 2] = {};
    char erase[CreationPathSize + 2] = {};
    ProductSources paths = {};

    ~CreationBuffers() { free(sources); }
};

// Everything that can be prepared before the diskette is touched: the
// product's CD paths, the target and erase lists.
bool Prepare(const CreationInputs& in, CreationBuffers& b)
{
    b.sources = static_cast<char*>(calloc(SourceListCapacity, 1));
    if (!b.sources)
        return false;
    char cdRoot[CreationPathSize];
    if (!CdRootFromModulePath(in.modulePath, cdRoot, sizeof cdRoot))
        return false;
    if (!BuildProductSources(cdRoot, in.product, in.msdosVariant, in.language, b.paths))
        return false;
    char pattern[CreationPathSize];
    if (!JoinInto(pattern, sizeof pattern, in.disketteRoot, ErasePattern))
        return false;
    return AppendToPathList(b.erase, pattern, sizeof b.erase) != 0 &&
           AppendToPathList(b.target, in.disketteRoot, sizeof b.target) != 0;
}

// Fills the source list afresh with up to two paths and runs one copy.
FileOperationResult CopyToDiskette(CreationFrontEnd& frontEnd, CreationBuffers& b,
                                   CreationStep step, const char* first,
                                   const char* second)
{
    memset(b.sources, 0, SourceListCapacity);
    AppendToPathList(b.sources, first, SourceListCapacity);
    if (second[0] != '\0')
        AppendToPathList(b.sources, second, SourceListCapacity);
    return Run(frontEnd, step, b.sources, b.target);
}

// Tells the user which folder still holds saved system files that did not
// get back to the diskette: nothing else would ever point there, and the
// next run would overwrite them.
void ShowFilesLeft(CreationFrontEnd& frontEnd, const char* savedTemp)
{
    char folder[CreationPathSize] = {};
    const char* lastSlash = strrchr(savedTemp, '\\');
    size_t length = lastSlash ? static_cast<size_t>(lastSlash - savedTemp) + 1 : 0;
    if (length < sizeof folder)
        memcpy(folder, savedTemp, length);
    frontEnd.ShowFilesLeftIn(folder);
}

}  // namespace

const StepRule& RuleFor(CreationStep step)
{
    return StepRules[step];
}

bool OperationFailed(const StepRule& rule, const FileOperationResult& result)
{
    if (rule.onFailure == AbortEndsRun)
        return result.aborted;
    return result.returned != 0 || result.aborted;
}

bool EraseNeedsQuestion(bool foundEntry, unsigned long lastError)
{
    const unsigned long FileNotFound = 2, NoMoreFiles = 18;
    if (foundEntry)
        return true;
    return lastError != FileNotFound && lastError != NoMoreFiles;
}

bool CdRootFromModulePath(const char* modulePath, char* root, size_t capacity)
{
    const char* last = strrchr(modulePath, '\\');
    if (!last)
        return false;
    const char* above = last;
    while (above > modulePath && *--above != '\\') {
    }
    if (*above != '\\' || above == last)
        return false;
    size_t length = static_cast<size_t>(above - modulePath) + 1;
    if (length + 1 > capacity)
        return false;
    memcpy(root, modulePath, length);
    root[length] = '\0';
    return true;
}

bool SaveSystemFiles(const CreationInputs& in, CreationFrontEnd& frontEnd,
                     char* diskSide, char* tempSide)
{
    if (!in.startupDiskOption)
        return false;
    char temp[CreationPathSize] = {};
    if (!frontEnd.GetTempFolder(temp, sizeof temp) || !frontEnd.TempFolderUsable(temp))
        return false;

    bool found = false;
    for (const char* name : SystemFileNames) {
        if (!frontEnd.FileExistsIn(in.disketteRoot, name))
            continue;
        char diskPath[CreationPathSize], tempPath[CreationPathSize];
        if (!JoinInto(diskPath, sizeof diskPath, in.disketteRoot, name) ||
            !JoinInto(tempPath, sizeof tempPath, temp, name))
            continue;
        if (!AppendToPathListPair(diskSide, diskPath, SavedDiskListCapacity,
                                  tempSide, tempPath, SavedTempListCapacity))
            continue;
        found = true;
    }
    return found;
}

CreationEnd RunCreation(const CreationInputs& in, CreationFrontEnd& frontEnd)
{
    if (!frontEnd.ConfirmErase(in.disketteRoot))
        return EndedDeclined;

    CreationBuffers b;
    if (!Prepare(in, b))
        return EndedUnprepared;
    AppendToPathList(b.sources, b.paths.product, SourceListCapacity);
    if (b.paths.drivers[0] != '\0')
        AppendToPathList(b.sources, b.paths.drivers, SourceListCapacity);

    if (in.msdosVariant && SaveSystemFiles(in, frontEnd, b.savedDisk, b.savedTemp)) {
        FileOperationResult saved = Run(frontEnd, StepSaveSystemFiles, b.savedDisk, b.savedTemp);
        if (OperationFailed(RuleFor(StepSaveSystemFiles), saved))
            b.savedDisk[0] = '\0';
    }

    if (OperationFailed(RuleFor(StepErase), Run(frontEnd, StepErase, b.erase, nullptr))) {
        // Whatever the erase took of the diskette's own system files is put
        // back before the run ends.
        if (b.savedDisk[0] != '\0') {
            FileOperationResult moved =
                Run(frontEnd, StepRestoreSystemFiles, b.savedTemp, b.savedDisk);
            if (moved.returned != 0 || moved.aborted)
                ShowFilesLeft(frontEnd, b.savedTemp);
        }
        return EndedEraseFailed;
    }

    if (b.savedDisk[0] != '\0') {
        FileOperationResult moved =
            Run(frontEnd, StepRestoreSystemFiles, b.savedTemp, b.savedDisk);
        if (OperationFailed(RuleFor(StepRestoreSystemFiles), moved)) {
            ShowFilesLeft(frontEnd, b.savedTemp);
            return EndedRestoreAborted;
        }
        // A move back that failed part-way goes on with the run, but what it
        // left behind would be lost without a word.
        if (moved.returned != 0)
            ShowFilesLeft(frontEnd, b.savedTemp);
        frontEnd.WriteStartupFiles(in.product);
    } else if (in.msdosVariant) {
        frontEnd.MakeBootable();
        frontEnd.WriteStartupFiles(in.product);
    }

    if (OperationFailed(RuleFor(StepCopyProduct), Run(frontEnd, StepCopyProduct, b.sources, b.target)))
        return EndedProductCopyFailed;

    CopyToDiskette(frontEnd, b, StepCopyGuide, b.paths.guide, "");
    if (b.paths.testPort[0] != '\0')
        CopyToDiskette(frontEnd, b, StepCopyTestPort, b.paths.testPort, b.paths.testPortNotes);

    frontEnd.ShowClosingNote();
    return EndedFinished;
}

bool CopySystemFiles(const char* root, int platformKind, BootableFrontEnd& frontEnd)
{
    if (platformKind == PlatformWin95)
        return false;
    char ioSys[CreationPathSize], msdosSys[CreationPathSize];
    if (!JoinInto(ioSys, sizeof ioSys, root, "IO.SYS") ||
        !JoinInto(msdosSys, sizeof msdosSys, root, "MSDOS.SYS"))
        return false;
    if (!frontEnd.CopyEmergencyBootFiles(root) || !frontEnd.CreateEmptyFile(msdosSys))
        return false;
    frontEnd.MarkSystemFile(ioSys);
    frontEnd.MarkSystemFile(msdosSys);
    return true;
}

bool MakeBootable(const CreationInputs& in, int platformKind, BootableFrontEnd& frontEnd)
{
    if (!BootableStepApplies(platformKind, in.startupDiskOption) || !frontEnd.ProbeDrive(in.disketteRoot))
        return true;
    if (!CopySystemFiles(in.disketteRoot, platformKind, frontEnd))
        return false;
    // A diskette that will not start a computer is still a setup diskette.
    frontEnd.WriteBootSector(in.disketteRoot);
    return true;
}
