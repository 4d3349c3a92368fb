#include "core/image_front_end.h"

#include <cstdlib>
#include <cstring>

#include "common/core/text_builder.h"
#include "core/startup_files.h"
#include "resource.h"

namespace {

const DosTime kMadeByTheRun = {0, 0};

bool EndsWith(const char *text, const char *tail)
{
    size_t a = strlen(text), b = strlen(tail);
    return a >= b && memcmp(text + a - b, tail, b) == 0;
}

const char *BaseName(const char *path)
{
    const char *slash = strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

int CompareNames(const void *a, const void *b)
{
    const char *x = *static_cast<const char *const *>(a);
    const char *y = *static_cast<const char *const *>(b);
    for (const char *p = x, *q = y;; p++, q++) {
        int c = *p >= 'A' && *p <= 'Z' ? *p + 32 : static_cast<unsigned char>(*p);
        int d = *q >= 'A' && *q <= 'Z' ? *q + 32 : static_cast<unsigned char>(*q);
        if (c != d)
            return c - d;
        if (!c)
            return strcmp(x, y);
    }
}

// The names of one folder, sorted without regard to case, so that the
// image does not depend on the order a host lists a folder in.
struct NameList {
    char *text = nullptr;
    size_t used = 0, capacity = 0;
    size_t count = 0;
    bool full = false;

    ~NameList() { free(text); }

    static void Add(void *context, const char *name)
    {
        NameList &list = *static_cast<NameList *>(context);
        size_t length = strlen(name) + 1;
        if (list.used + length > list.capacity) {
            size_t grown = (list.capacity + length) * 2;
            char *more = static_cast<char *>(realloc(list.text, grown));
            if (!more) {
                list.full = true;
                return;
            }
            list.text = more;
            list.capacity = grown;
        }
        memcpy(list.text + list.used, name, length);
        list.used += length;
        list.count++;
    }

    const char **Sorted() const
    {
        const char **names = static_cast<const char **>(malloc((count + 1) * sizeof(char *)));
        if (!names)
            return nullptr;
        const char *p = text;
        for (size_t i = 0; i < count; i++, p += strlen(p) + 1)
            names[i] = p;
        qsort(names, count, sizeof(char *), CompareNames);
        return names;
    }
};

ImageRunOutcome RefusalOf(ImageOutcome outcome)
{
    switch (outcome) {
    case kImageTooLarge:
        return kImageRunTooLarge;
    case kImageRootFull:
        return kImageRunRootFull;
    case kImageTooManyFiles:
        return kImageRunTooManyFiles;
    case kImageBadName:
        return kImageRunBadName;
    default:
        return kImageRunMade;
    }
}

} // namespace

ImageCreationFrontEnd::ImageCreationFrontEnd(HostFiles &files, RecordSource &records,
                                             const char *systemFolder)
    : files_(files), records_(records), systemFolder_(systemFolder)
{
}

ImageCreationFrontEnd::~ImageCreationFrontEnd()
{
    free(buffer_);
}

void ImageCreationFrontEnd::Fail(ImageRunOutcome outcome, const char *path)
{
    if (result_.outcome != kImageRunMade)
        return;
    result_.outcome = outcome;
    JoinText(result_.path, sizeof result_.path, {path}); // a path too long to show stays untold
}

// The image is a new diskette: there is nothing to ask before the erase
// and no system file on it to save.
bool ImageCreationFrontEnd::ConfirmErase(const char *)
{
    return true;
}

bool ImageCreationFrontEnd::GetTempFolder(char *, size_t)
{
    return false;
}

bool ImageCreationFrontEnd::MakeSaveFolder(char *, size_t)
{
    return false;
}

void ImageCreationFrontEnd::RemoveSaveFolder(const char *) {}

bool ImageCreationFrontEnd::FileExistsIn(const char *, const char *)
{
    return false;
}

// The platform tells of the finished image once it is written to its file.
void ImageCreationFrontEnd::ShowClosingNote(bool withoutSystemFiles)
{
    result_.withoutSystemFiles = withoutSystemFiles;
}

// Nothing is saved from a new image, so nothing can be left behind.
void ImageCreationFrontEnd::ShowFilesLeftIn(const char *) {}

void ImageCreationFrontEnd::FilePlaced(const char *, uint32_t) {}

bool ImageCreationFrontEnd::CopyFile(const char *source, const HostEntry &entry, int folder,
                                     const char *name, const char *imagePath, uint8_t attributes)
{
    // A file larger than the whole diskette is counted, never read.
    const uint8_t *data = nullptr;
    if (entry.size > 0 && entry.size <= kImageBytes) {
        if (entry.size > bufferSize_) {
            uint8_t *grown =
                static_cast<uint8_t *>(realloc(buffer_, static_cast<size_t>(entry.size)));
            if (!grown) {
                Fail(kImageRunFailed, source);
                return false;
            }
            buffer_ = grown;
            bufferSize_ = static_cast<uint32_t>(entry.size);
        }
        if (!files_.ReadFile(source, buffer_, static_cast<uint32_t>(entry.size))) {
            Fail(kImageRunUnreadable, source);
            return false;
        }
        data = buffer_;
    }
    if (!image_.AddFile(folder, name, data, entry.size, attributes, entry.time)) {
        Fail(RefusalOf(image_.LastRefusal()), source);
        return false;
    }
    char placed[kCreationPathSize];
    if (JoinText(placed, sizeof placed, {imagePath, name}))
        FilePlaced(placed, static_cast<uint32_t>(entry.size));
    return true;
}

bool ImageCreationFrontEnd::CopyFolderContents(const char *source, int folder,
                                               const char *imagePath)
{
    NameList list;
    if (!files_.ListFolder(source, NameList::Add, &list) || list.full) {
        Fail(kImageRunUnreadable, source);
        return false;
    }
    const char **names = list.Sorted();
    if (!names) {
        Fail(kImageRunFailed, source);
        return false;
    }
    bool ok = true;
    for (size_t i = 0; ok && i < list.count; i++) {
        char child[kCreationPathSize];
        if (!JoinText(child, sizeof child, {source, "\\", names[i]})) {
            Fail(kImageRunFailed, source);
            ok = false;
        } else if (strchr(names[i], '\\')) {
            // A host that allows it in a name (Linux) would otherwise read
            // it as a folder step, out of the CD.
            Fail(kImageRunBadName, child);
            ok = false;
        } else {
            ok = CopyPath(child, folder, imagePath);
        }
    }
    free(names);
    return ok;
}

// One entry of a copy's source list: "folder\*.*" copies what the folder
// holds, a folder copies itself with everything below it, a file itself.
bool ImageCreationFrontEnd::CopyPath(const char *source, int folder, const char *imagePath)
{
    char path[kCreationPathSize];
    bool contents = EndsWith(source, "\\*.*");
    if (!JoinText(path, sizeof path, {source})) {
        Fail(kImageRunFailed, source);
        return false;
    }
    if (contents)
        path[strlen(path) - 4] = '\0';
    HostEntry entry = {};
    if (!files_.Find(path, entry) || (contents && !entry.folder)) {
        Fail(kImageRunNoSource, path);
        return false;
    }
    if (entry.other) {
        Fail(kImageRunNotPlain, path);
        return false;
    }
    if (contents)
        return CopyFolderContents(path, folder, imagePath);
    const char *name = BaseName(path);
    if (!entry.folder)
        return CopyFile(path, entry, folder, name, imagePath, entry.attributes | kAttributeArchive);

    int sub = image_.AddFolder(folder, name, entry.time);
    char below[kCreationPathSize];
    if (sub < 0) {
        Fail(RefusalOf(image_.LastRefusal()), path);
        return false;
    }
    if (!JoinText(below, sizeof below, {imagePath, name, "\\"})) {
        Fail(kImageRunFailed, path);
        return false;
    }
    return CopyFolderContents(path, sub, below);
}

FileOperationResult ImageCreationFrontEnd::RunFileOperation(const FileOperation &operation)
{
    FileOperationResult done = {0, false};
    switch (operation.step) {
    case kStepErase:
        image_.Clear();
        return done;
    case kStepCopyProduct:
    case kStepCopyGuide:
    case kStepCopyTestPort:
        // Every copy counts here, the guide's too: an image is made whole
        // or not at all.
        for (const char *p = operation.from; *p; p += strlen(p) + 1)
            if (!CopyPath(p, 0, ""))
                return {1, false};
        return done;
    default:
        return done;
    }
}

BootableFrontEnd &ImageCreationFrontEnd::Bootable()
{
    return *this;
}

StartupFileWriter &ImageCreationFrontEnd::StartupFiles()
{
    return *this;
}

// The image has no drive to answer, and its boot sector is in place from
// the start.
bool ImageCreationFrontEnd::ProbeDrive(const char *)
{
    return true;
}

bool ImageCreationFrontEnd::WriteBootSector(const char *)
{
    return true;
}

// All of them or none, in their order, so that IO.SYS lies at the start of
// the data area. They keep their own attributes until the rule marks
// IO.SYS. As on the drive, a folder that lacks them gives a diskette that
// does not start a computer, and the closing note says so.
bool ImageCreationFrontEnd::CopyEmergencyBootFiles(const char *)
{
    if (!systemFolder_ || !systemFolder_[0])
        return false;
    char paths[kEmergencyBootFileCount][kCreationPathSize];
    HostEntry entries[kEmergencyBootFileCount];
    for (int i = 0; i < kEmergencyBootFileCount; i++) {
        if (!JoinText(paths[i], sizeof paths[i], {systemFolder_, "\\", kEmergencyBootFiles[i]}) ||
            !files_.Find(paths[i], entries[i]) || entries[i].folder)
            return false;
    }
    for (int i = 0; i < kEmergencyBootFileCount; i++) {
        uint8_t attributes = entries[i].attributes | kAttributeArchive;
        if (!CopyFile(paths[i], entries[i], 0, kEmergencyBootFiles[i], "", attributes))
            return false;
    }
    return true;
}

// MSDOS.SYS only has to be present; as ever, a refusal of its entry does
// not fail the bootable step.
bool ImageCreationFrontEnd::CreateEmptyFile(const char *path)
{
    const char *name = BaseName(path);
    image_.AddFile(0, name, nullptr, 0, kAttributeArchive, kMadeByTheRun);
    FilePlaced(name, 0);
    return true;
}

void ImageCreationFrontEnd::MarkSystemFile(const char *path)
{
    image_.SetFileAttributes(0, BaseName(path), kSystemFileAttributes);
}

bool ImageCreationFrontEnd::WriteRecordFile(const char *path, int record)
{
    const char *name = BaseName(path);
    uint32_t size = 0;
    const uint8_t *block = records_.Record(record, &size);
    if (!block)
        return false;
    if (!image_.AddFile(0, name, block, size, kAttributeArchive, kMadeByTheRun)) {
        Fail(RefusalOf(image_.LastRefusal()), name);
        return false;
    }
    FilePlaced(name, size);
    return true;
}

ImageRunResult ImageCreationFrontEnd::Make(const CreationInputs &inputs, uint8_t *image)
{
    result_ = ImageRunResult{};
    uint32_t size = 0;
    const uint8_t *boot = records_.Record(IDR_BOOT_SECTOR, &size);
    if (!boot || size != kImageSectorBytes || !image_.Start(image, boot)) {
        result_.outcome = kImageRunFailed;
        return result_;
    }
    CreationEnd end = RunCreation(inputs, *this);
    if (result_.outcome != kImageRunMade)
        return result_;
    if (end != kEndedFinished) {
        result_.outcome = kImageRunFailed;
        return result_;
    }
    result_.summary = image_.Finish();
    result_.outcome = RefusalOf(result_.summary.outcome);
    return result_;
}
