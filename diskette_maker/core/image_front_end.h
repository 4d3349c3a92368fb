// Carries the creation's steps out against a diskette image in memory
// instead of drive A: the erase empties the image, a copy from the CD reads
// the files through HostFiles and adds them, the bootable step takes the
// system files from a folder the platform names, and the startup files come
// from the Record blocks. The image is new, so no system files are found to
// save. The Windows program and the build's command-line tool share all of
// it, so both make the same bytes from the same sources.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/creation_plan.h"
#include "core/fat12_image.h"

struct HostEntry {
    bool folder;
    bool other; // neither a plain file nor a folder: a link, a device
    uint64_t size;
    uint8_t attributes; // read-only, hidden, system as the host keeps them
    DosTime time;       // last written, local time
};

// The files the image is made from. Paths are the creation plan's: folders
// joined by backslashes.
class HostFiles {
public:
    virtual bool Find(const char *path, HostEntry &entry) = 0;
    // Calls visit with the name of each entry of a folder, "." and ".." left
    // out, in any order. False when the folder cannot be read.
    typedef void (*Visit)(void *context, const char *name);
    virtual bool ListFolder(const char *folder, Visit visit, void *context) = 0;
    virtual bool ReadFile(const char *path, uint8_t *data, uint32_t size) = 0;

protected:
    ~HostFiles() = default;
};

// The fixed data blocks (CONFIG.SYS, AUTOEXEC.BAT, the boot record) by
// their Record id; null when there is none.
class RecordSource {
public:
    virtual const uint8_t *Record(int id, uint32_t *size) = 0;

protected:
    ~RecordSource() = default;
};

// Why an image was not made.
enum ImageRunOutcome {
    kImageRunMade,
    kImageRunNoSource,   // a file or folder the plan copies is missing
    kImageRunUnreadable, // a source could not be read
    kImageRunTooLarge,
    kImageRunRootFull,
    kImageRunBadName,  // a source name no diskette can hold
    kImageRunNotPlain, // a source that is a link or a device, not a file or folder
    kImageRunTooManyFiles,
    kImageRunFailed, // the run could not start (memory, paths)
};

struct ImageRunResult {
    ImageRunOutcome outcome;
    ImageSummary summary;
    char path[kCreationPathSize]; // the source that failed, for the message
    bool withoutSystemFiles;      // an MS-DOS image that does not start a computer
};

// It is its own bootable front end and startup-file writer too, so the
// drive's rules for both are the image's as well.
class ImageCreationFrontEnd : public CreationFrontEnd,
                              private BootableFrontEnd,
                              private StartupFileWriter {
public:
    // systemFolder holds the emergency-boot files for the bootable step, or
    // is empty for none; without them the image gets no system files.
    ImageCreationFrontEnd(HostFiles &files, RecordSource &records, const char *systemFolder);
    ~ImageCreationFrontEnd();

    // Runs the creation plan into image (kImageBytes) and finishes it.
    ImageRunResult Make(const CreationInputs &inputs, uint8_t *image);

    bool ConfirmErase(const char *root) override;
    bool GetTempFolder(char *folder, size_t capacity) override;
    bool MakeSaveFolder(char *folder, size_t capacity) override;
    void RemoveSaveFolder(const char *folder) override;
    bool FileExistsIn(const char *folder, const char *name) override;
    FileOperationResult RunFileOperation(const FileOperation &operation) override;
    BootableFrontEnd &Bootable() override;
    StartupFileWriter &StartupFiles() override;
    void ShowClosingNote(bool withoutSystemFiles) override;
    void ShowFilesLeftIn(const char *folder) override;

    // Told of each file as it lands, with its path on the diskette.
    virtual void FilePlaced(const char *path, uint32_t size);

protected:
    ImageCreationFrontEnd(const ImageCreationFrontEnd &) = delete;
    ImageCreationFrontEnd &operator=(const ImageCreationFrontEnd &) = delete;

private:
    bool CopyPath(const char *source, int folder, const char *imagePath);
    bool CopyFolderContents(const char *source, int folder, const char *imagePath);
    bool CopyFile(const char *source, const HostEntry &entry, int folder, const char *name,
                  const char *imagePath, uint8_t attributes);
    void Fail(ImageRunOutcome outcome, const char *path);

    // The primitives of the bootable step and of the startup files on the
    // image, where every file they place lands in the root folder: a path
    // is taken by its name alone.
    bool ProbeDrive(const char *root) override;
    bool CopyEmergencyBootFiles(const char *root) override;
    bool CreateEmptyFile(const char *path) override;
    void MarkSystemFile(const char *path) override;
    bool WriteBootSector(const char *root) override;
    bool WriteRecordFile(const char *path, int record) override;

    HostFiles &files_;
    RecordSource &records_;
    const char *systemFolder_;
    Fat12Image image_;
    uint8_t *buffer_ = nullptr;
    uint32_t bufferSize_ = 0;
    ImageRunResult result_ = {};
};
