// floppwright-image: the setup diskette of Floppwright as a 1.44 MB image
// file, made on the build machine from a CD tree by the same creation plan
// and image writer as the Windows program's -image option.
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/image_front_end.h"
#include "core/platform_kind.h"
#include "core/run_settings.h"
#include "core/startup_files.h"
#include "image_tool/embedded_records.h"
#include "image_tool/posix_host_files.h"

namespace {

const char *const kUsage =
    "usage: floppwright-image --cd DIR --product hd|cdrom|diskette --variant windows|msdos\n"
    "                         --language en|es|fr [--system-files DIR] [--no-startup]\n"
    "                         [--verbose] -o FILE.img\n"
    "\n"
    "Makes the driver setup diskette that Floppwright writes to drive A: as a\n"
    "1.44 MB FAT12 image, from the CD tree DIR (the folder above Utility) or\n"
    "from the CD's ISO image.\n"
    "\n"
    "  --cd DIR|ISO        the CD tree, or its ISO 9660 image (read through xorriso)\n"
    "  --product P         hd (hard drive), cdrom (CD-ROM drive) or diskette\n"
    "                      (diskette drive, always MS-DOS)\n"
    "  --variant V         windows: the Windows setup files in the language's folder\n"
    "                      msdos: the DOS driver, CONFIG.SYS and our boot sector\n"
    "  --language L        en, es or fr (the Windows setup files' language)\n"
    "  --system-files DIR  IO.SYS and COMMAND.COM for a bootable MS-DOS diskette;\n"
    "                      without it the MS-DOS diskette is made without them\n"
    "  --no-startup        leave the bootable step out (no system files)\n"
    "  --verbose           list each file as it is placed\n"
    "  -o FILE             the image to write; an existing file is replaced\n"
    "  --help              this text\n"
    "\n"
    "Exit status: 0 the image is written, 1 it could not be made or written\n"
    "(the reason is printed; no partial file stays), 2 the command line is wrong.\n";

const char *const kMe = "floppwright-image";

class EmbeddedRecordSource : public RecordSource {
public:
    const uint8_t *Record(int id, uint32_t *size) override
    {
        for (const EmbeddedRecord &record : EmbeddedRecords) {
            if (record.id == id) {
                *size = record.size;
                return record.bytes;
            }
        }
        return nullptr;
    }
};

class ToolFrontEnd : public ImageCreationFrontEnd {
public:
    using ImageCreationFrontEnd::ImageCreationFrontEnd;
    bool verbose = false;

    void FilePlaced(const char *path, uint32_t size) override
    {
        if (verbose)
            printf("  %-40s %8u bytes\n", path, size);
    }
};

// The --variant values, in the order of their names.
enum Variant { kVariantWindows = 0, kVariantMsdos = 1 };

struct Options {
    const char *cd = nullptr;
    const char *output = nullptr;
    const char *systemFiles = "";
    int product = 0;
    int variant = -1; // a Variant, -1 until given
    int language = 0;
    bool startup = true;
    bool verbose = false;
};

int UsageError(const char *what, const char *value = "")
{
    fprintf(stderr, "%s: %s%s\n%s: --help tells how to call it\n", kMe, what, value, kMe);
    return 2;
}

int Choice(const char *value, const char *const *names)
{
    for (int i = 0; names[i]; i++)
        if (strcmp(value, names[i]) == 0)
            return i + 1;
    return 0;
}

// 0 when the options are complete, else the exit status to end with.
int ParseOptions(int argc, char **argv, Options &o)
{
    static const char *const kProducts[] = {"hd", "cdrom", "diskette", nullptr};
    static const char *const kVariants[] = {"windows", "msdos", nullptr};
    static const char *const kLanguages[] = {"en", "es", "fr", nullptr};
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            fputs(kUsage, stdout);
            exit(0);
        }
        if (arg == "--no-startup") {
            o.startup = false;
            continue;
        }
        if (arg == "--verbose" || arg == "-v") {
            o.verbose = true;
            continue;
        }
        bool takesValue = arg == "--cd" || arg == "--product" || arg == "--variant" ||
            arg == "--language" || arg == "--system-files" || arg == "-o";
        if (!takesValue)
            return UsageError("unknown option ", argv[i]);
        if (i + 1 == argc)
            return UsageError("no value after ", argv[i]);
        const char *value = argv[++i];
        if (arg == "--cd") {
            o.cd = value;
        } else if (arg == "-o") {
            o.output = value;
        } else if (arg == "--system-files") {
            o.systemFiles = value;
        } else if (arg == "--product") {
            if (!(o.product = Choice(value, kProducts)))
                return UsageError("unknown product (hd, cdrom or diskette): ", value);
        } else if (arg == "--variant") {
            o.variant = Choice(value, kVariants) - 1;
            if (o.variant < 0)
                return UsageError("unknown variant (windows or msdos): ", value);
        } else if (!(o.language = Choice(value, kLanguages))) {
            return UsageError("unknown language (en, es or fr): ", value);
        }
    }
    if (!o.cd)
        return UsageError("--cd DIR is missing");
    if (!o.product)
        return UsageError("--product is missing");
    if (o.variant < 0)
        return UsageError("--variant is missing");
    if (!o.language)
        return UsageError("--language is missing");
    if (!o.output)
        return UsageError("-o FILE is missing");
    return 0;
}

extern "C" char **environ;

// Runs xorriso with its output to the file output; its exit status.
int Xorriso(const char *const *args, const char *output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child;
    int status = -1;
    if (posix_spawnp(&child, "xorriso", &actions, nullptr, const_cast<char **>(args), environ) == 0)
        waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

// What a CD holds: 360,000 sectors of 2 KiB, in the KiB xorriso counts in.
const unsigned long long kCdKilobytes = 720000;

// Unpacks, with xorriso, the CD's top folders that the plan reads for the
// product into a fresh folder, keeping the Joliet and Rock Ridge names and
// the files' times. An ISO may let many files share one extent, so it is
// measured first: one that would unpack to more than a CD holds is refused
// ("?" and the folder). "" when no folder can be made; "!" and the folder
// when xorriso could not read it.
std::string UnpackIso(const char *iso, int product)
{
    const char *temp = getenv("TMPDIR");
    std::string pattern =
        std::string(temp && temp[0] ? temp : "/tmp") + "/floppwright-image.XXXXXX";
    char *folder = &pattern[0];
    if (!mkdtemp(folder))
        return "";
    static const char *const kCdromFolders[] = {"/HD and CD-ROM", "/User's Guides", "/Utility",
                                                nullptr};
    static const char *const kDisketteFolders[] = {"/Diskette Drive", "/User's Guides", nullptr};
    const char *args[14] = {"xorriso", "-osirrox", "on", "-indev", iso, "-extract_l", "/", folder};
    int count = 8;
    std::string sizes = pattern + "/.sizes";
    unsigned long long kilobytes = 0;
    for (const char *const *p = product == kProductDisketteDrive ? kDisketteFolders : kCdromFolders;
         *p; p++) {
        const char *measure[] = {"xorriso", "-indev", iso, "-dus", *p, nullptr};
        if (Xorriso(measure, sizes.c_str()) != 0)
            return "!" + pattern;
        FILE *file = fopen(sizes.c_str(), "r");
        unsigned long long size = 0;
        // A folder the ISO lacks prints nothing: the plan names it missing.
        if (file && fscanf(file, "%llu", &size) == 1) {
            kilobytes += size;
            args[count++] = *p;
        }
        if (file)
            fclose(file);
    }
    unlink(sizes.c_str());
    if (kilobytes > kCdKilobytes)
        return "?" + pattern;
    args[count++] = "--";
    args[count] = nullptr;
    int status = count > 9 ? Xorriso(args, "/dev/null") : 0;
    // xorriso takes a file that holds no ISO 9660 tree for an empty disc.
    bool holdsFiles = false;
    if (DIR *dir = status == 0 ? opendir(folder) : nullptr) {
        while (dirent *entry = readdir(dir))
            holdsFiles =
                holdsFiles || (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0);
        closedir(dir);
    }
    return holdsFiles ? pattern : "!" + pattern;
}

// The unpacked tree is read-only, as the CD was: open its folders first.
int OpenUp(const char *path, const struct stat *info, int type, struct FTW *)
{
    if (type == FTW_D)
        chmod(path, (info->st_mode & 07777) | S_IRWXU);
    return 0;
}

int RemoveOne(const char *path, const struct stat *, int, struct FTW *)
{
    remove(path);
    return 0;
}

void RemoveTree(const std::string &folder)
{
    nftw(folder.c_str(), OpenUp, 16, FTW_PHYS);
    nftw(folder.c_str(), RemoveOne, 16, FTW_PHYS | FTW_DEPTH);
}

bool IsFolder(const char *path)
{
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

std::string Shown(const char *planPath)
{
    std::string path(planPath);
    for (char &c : path)
        if (c == '\\')
            c = '/';
    return path;
}

// Thousands apart, as the closing line reads best.
std::string Grouped(uint64_t value)
{
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

int Refuse(const ImageRunResult &result)
{
    std::string path = Shown(result.path);
    switch (result.outcome) {
    case kImageRunNoSource:
        fprintf(stderr, "%s: %s is missing; the image was not made\n", kMe, path.c_str());
        break;
    case kImageRunUnreadable:
        fprintf(stderr, "%s: cannot read %s; the image was not made\n", kMe, path.c_str());
        break;
    case kImageRunTooLarge:
        fprintf(stderr,
                "%s: the files do not fit on a 1.44 MB diskette: they need %s bytes more "
                "than it holds\n",
                kMe, Grouped(result.summary.bytesShort).c_str());
        break;
    case kImageRunRootFull:
        fprintf(stderr, "%s: the diskette's root folder would need %u entries; it holds %u\n", kMe,
                result.summary.rootEntries, static_cast<unsigned>(kImageRootEntries));
        break;
    case kImageRunBadName:
        fprintf(stderr, "%s: %s has a name no diskette can hold; the image was not made\n", kMe,
                path.c_str());
        break;
    case kImageRunNotPlain:
        fprintf(stderr, "%s: %s is not a plain file or folder (a link?); the image was not made\n",
                kMe, path.c_str());
        break;
    case kImageRunTooManyFiles:
        fprintf(stderr, "%s: too many files at %s; the image was not made\n", kMe, path.c_str());
        break;
    default:
        fprintf(stderr, "%s: the image could not be made (out of memory or a path too long%s%s)\n",
                kMe, path.empty() ? "" : ": ", path.c_str());
        break;
    }
    return 1;
}

// Writes beside the target and renames over it, so that a failure never
// leaves a partly written image, nor spoils the file it was to replace.
bool WriteImage(const char *output, const uint8_t *image)
{
    std::string temp = std::string(output) + ".XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        fprintf(stderr, "%s: cannot write %s: %s\n", kMe, output, strerror(errno));
        return false;
    }
    size_t done = 0;
    while (done < kImageBytes) {
        ssize_t n = write(fd, image + done, kImageBytes - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    int error = done == kImageBytes ? 0 : errno ? errno : EIO;
    if (!error && fchmod(fd, 0644) != 0)
        error = errno;
    if (close(fd) != 0 && !error)
        error = errno;
    if (!error && rename(temp.c_str(), output) != 0)
        error = errno;
    if (error) {
        unlink(temp.c_str());
        fprintf(stderr, "%s: cannot write %s: %s\n", kMe, output, strerror(error));
        return false;
    }
    return true;
}

// Makes and writes the image from the CD tree o.cd.
int MakeImage(const Options &o)
{
    // The plan finds the CD root above the program's own folder.
    std::string modulePath = std::string(o.cd) + "\\Utility\\floppwright-image";
    CreationInputs inputs = {};
    inputs.language = static_cast<Language>(o.language);
    inputs.product = static_cast<Product>(o.product);
    inputs.msdosVariant = MakesMsdosVariant(inputs.product, o.variant == kVariantMsdos);
    inputs.startupDiskOption = o.startup;
    // The system files are the ones named here, whatever this machine runs.
    inputs.platformKind = kPlatformNoWindows;
    inputs.disketteRoot = "A:\\";
    inputs.modulePath = modulePath.c_str();

    PosixHostFiles files;
    EmbeddedRecordSource records;
    ToolFrontEnd frontEnd(files, records, o.systemFiles);
    frontEnd.verbose = o.verbose;
    uint8_t *image = static_cast<uint8_t *>(malloc(kImageBytes));
    if (!image) {
        fprintf(stderr, "%s: out of memory\n", kMe);
        return 1;
    }
    ImageRunResult result = frontEnd.Make(inputs, image);
    int status = 0;
    if (result.outcome != kImageRunMade)
        status = Refuse(result);
    else if (!WriteImage(o.output, image))
        status = 1;
    else
        printf("%s: %u files, %s bytes used\n", o.output, result.summary.files,
               Grouped(result.summary.bytesUsed).c_str());
    free(image);
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    Options o;
    if (int status = ParseOptions(argc, argv, o))
        return status;
    struct stat cdInfo;
    if (stat(o.cd, &cdInfo) != 0) {
        fprintf(stderr, "%s: the CD folder %s does not exist\n", kMe, o.cd);
        return 1;
    }
    if (o.systemFiles[0] && !IsFolder(o.systemFiles)) {
        fprintf(stderr, "%s: the system-files folder %s does not exist\n", kMe, o.systemFiles);
        return 1;
    }
    // Asked for by name, the system files must be there.
    for (const char *name : kEmergencyBootFiles) {
        std::string path = std::string(o.systemFiles) + "\\" + name;
        HostEntry entry;
        PosixHostFiles files;
        if (o.systemFiles[0] && (!files.Find(path.c_str(), entry) || entry.folder)) {
            fprintf(stderr, "%s: %s is missing; the image was not made\n", kMe,
                    Shown(path.c_str()).c_str());
            return 1;
        }
    }
    // rename() would replace a read-only file, and root may write any file;
    // Floppwright on Windows could do neither. Read-only as Wine sees it: no
    // write permission for anyone.
    struct stat existing;
    if (stat(o.output, &existing) == 0 && !(existing.st_mode & 0222)) {
        fprintf(stderr, "%s: %s exists and is read-only; it was left as it was\n", kMe, o.output);
        return 1;
    }
    if (S_ISDIR(cdInfo.st_mode))
        return MakeImage(o);

    std::string unpacked = UnpackIso(o.cd, o.product);
    if (unpacked.empty() || unpacked[0] == '!' || unpacked[0] == '?') {
        if (!unpacked.empty())
            RemoveTree(unpacked.substr(1));
        if (!unpacked.empty() && unpacked[0] == '?')
            fprintf(stderr,
                    "%s: the ISO image %s would unpack to more than a CD holds; it was not read\n",
                    kMe, o.cd);
        else
            fprintf(stderr, "%s: cannot read the ISO image %s (xorriso could not unpack it)\n", kMe,
                    o.cd);
        return 1;
    }
    o.cd = unpacked.c_str();
    int status = MakeImage(o);
    RemoveTree(unpacked);
    return status;
}
