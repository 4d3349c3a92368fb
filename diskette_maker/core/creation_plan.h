// The procedure that erases the diskette and fills it with the setup files
// of one product, as platform-free decisions. Which files go where, with which
// shell flags, and what a failure of each step does is decided here; a front
// end carries the steps out (SHFileOperationA and the file APIs on Windows, a
// recording fake in the tests).
#pragma once

#include <cstddef>

#include "core/run_settings.h"
#include "core/startup_files.h"

// What one run reads of the run settings, of the window and of the system.
struct CreationInputs {
    Language language;
    Product product;
    bool msdosVariant;        // the "MS-DOS" radio button is selected
    bool startupDiskOption;   // StartupDiskOption
    int platformKind;         // the system the run's system files come from
    const char *disketteRoot; // "A:\"
    const char *modulePath;   // full path of the running executable
};

// The shell's operation codes (FO_MOVE, FO_COPY, FO_DELETE).
enum { kOperationMove = 1, kOperationCopy = 2, kOperationDelete = 3 };

// The shell flags of each step.
enum : unsigned {
    kFlagsSaveRestore = 0x0511, // multiple targets, no confirmation, simple progress, no error UI
    kFlagsErase = 0x0110,       // no confirmation, simple progress
    kFlagsCopyFromCd = 0x0010,  // no confirmation
};

enum CreationStep {
    kStepSaveSystemFiles,
    kStepErase,
    kStepRestoreSystemFiles,
    kStepCopyProduct,
    kStepCopyGuide,
    kStepCopyTestPort,
    kCreationStepCount
};

// What the run does when a step's file operation fails.
enum FailureEffect {
    kFailureForgetsSaved, // nothing counts as saved; go on
    kFailureEndsRun,      // release and return, no closing note
    kAbortEndsRun,        // only fAnyOperationsAborted ends the run
    kFailureIgnored,
};

struct StepRule {
    CreationStep step;
    int operation;
    unsigned flags;
    FailureEffect onFailure;
};

const StepRule &RuleFor(CreationStep step);

// One call of the shell's file operation: source and target are path lists
// (NUL-separated, double-NUL-terminated); target is null for a delete.
struct FileOperation {
    CreationStep step;
    int operation;
    const char *from;
    const char *to;
    unsigned flags;
};

struct FileOperationResult {
    int returned; // what SHFileOperationA returned
    bool aborted; // fAnyOperationsAborted
};

bool OperationFailed(const StepRule &rule, const FileOperationResult &result);

// The steps that make an MS-DOS diskette start a computer, on a drive of
// the running Windows or in an image.
class BootableFrontEnd {
public:
    // Whether the drive of root answers as a usable diskette drive.
    virtual bool ProbeDrive(const char *root) = 0;
    // Copies kEmergencyBootFiles, in their order, from the emergency-boot
    // folder to root.
    virtual bool CopyEmergencyBootFiles(const char *root) = 0;
    // Creates path empty; an existing file is cut to nothing.
    virtual bool CreateEmptyFile(const char *path) = 0;
    // Makes path read-only, hidden and system, whatever it was.
    virtual void MarkSystemFile(const char *path) = 0;
    // Writes the boot-sector image to the diskette of root and reads it
    // back; true when it came back identical.
    virtual bool WriteBootSector(const char *root) = 0;

protected:
    ~BootableFrontEnd() = default;
};

// Everything the run needs from the platform.
class CreationFrontEnd {
public:
    virtual bool ConfirmErase(const char *root) = 0;
    // The temporary folder, ending in a backslash; false if there is none.
    virtual bool GetTempFolder(char *folder, size_t capacity) = 0;
    // Makes a new folder of the run's own, with a unique name, in the
    // temporary folder given in folder, and puts its path there, ending in
    // a backslash. Saved system files go there: another run, or another
    // program sharing the temporary folder, never takes or overwrites them.
    virtual bool MakeSaveFolder(char *folder, size_t capacity) = 0;
    // Removes the save folder if it is empty.
    virtual void RemoveSaveFolder(const char *folder) = 0;
    virtual bool FileExistsIn(const char *folder, const char *name) = 0;
    virtual FileOperationResult RunFileOperation(const FileOperation &operation) = 0;
    virtual BootableFrontEnd &Bootable() = 0;
    virtual StartupFileWriter &StartupFiles() = 0;
    // withoutSystemFiles: an MS-DOS diskette that was to start a computer
    // but found no system files to do it with, which the user must be told.
    virtual void ShowClosingNote(bool withoutSystemFiles) = 0;
    // Names the temporary folder (ending in a backslash) where saved system
    // files stay after their move back failed or was cancelled.
    virtual void ShowFilesLeftIn(const char *folder) = 0;

protected:
    ~CreationFrontEnd() = default;
};

// Where a run ended.
enum CreationEnd {
    kEndedDeclined,    // No to the erase warning: nothing touched
    kEndedUnprepared,  // no memory or a CD path too long: nothing touched
    kEndedEraseFailed, // saved system files moved back first
    kEndedRestoreAborted,
    kEndedProductCopyFailed,
    kEndedFinished, // closing note shown
};

// Capacities of the run's path lists, in bytes.
enum {
    kSourceListCapacity = 8192,
    kSavedDiskListCapacity = 128,
    kSavedTempListCapacity = 520,
    kCreationPathSize = 260,
};

CreationEnd RunCreation(const CreationInputs &inputs, CreationFrontEnd &frontEnd);

// Looks for the MS-DOS system files on the diskette and enters each found one
// into both lists: its diskette path and its path in the temporary folder,
// entry for entry. A file that does not fit into both lists goes into
// neither, so each saved file goes back to the very place it came from.
// True when at least one file was entered.
bool SaveSystemFiles(const CreationInputs &inputs, CreationFrontEnd &frontEnd, char *diskSide,
                     char *tempSide);

// The folder above the executable's folder, with its trailing backslash.
// False when the path has fewer than two backslashes or the root would not
// fit into capacity.
bool CdRootFromModulePath(const char *modulePath, char *root, size_t capacity);

// Whether the erase warning must be asked: the first-entry search found an
// entry, or it failed for any reason but an empty root.
bool EraseNeedsQuestion(bool foundEntry, unsigned long lastError);

// The bootable step of an MS-DOS diskette, run after the erase when no
// system files of the diskette were saved: nothing where the system of the
// inputs keeps no emergency-boot files (the later NT family), with the
// startup disk turned off, or without a drive that answers; otherwise the
// system files, then the boot sector. False only when the system files
// could not be copied; the boot sector is then left as it was.
bool RunBootableStep(const CreationInputs &inputs, BootableFrontEnd &frontEnd);

// Places in root the system files that kEmergencyBootFiles tells of: what
// makes a diskette (or its image) start MS-DOS.
bool PlaceSystemFiles(const char *root, BootableFrontEnd &frontEnd);

// PlaceSystemFiles from the emergency-boot folder of the system platformKind
// names. Refused on Windows 95, which keeps no emergency-boot folder of this
// kind.
bool CopySystemFiles(const char *root, int platformKind, BootableFrontEnd &frontEnd);
