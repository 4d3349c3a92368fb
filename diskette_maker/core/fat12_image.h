// A 1.44 MB FAT12 diskette built in memory, as Windows 95 would lay it out
// on a freshly formatted diskette: the boot record of our Record block (its
// BPB as it is; the serial number follows the content and the label reads
// "NO NAME", as on a diskette formatted without one), two FATs of 9
// sectors, a 224-entry root folder, and each file in one run of clusters.
// Files are placed in the order they are added, IO.SYS at cluster 2;
// folders' own clusters follow the files. Nothing here touches a disk: the
// caller hands in the 1,474,560-byte buffer and writes it out itself.
#pragma once

#include <cstddef>
#include <cstdint>

enum : uint32_t {
    kImageBytes = 1474560,
    kImageSectorBytes = 512,
    kImageDataClusters = 2847, // 2880 sectors less boot, 2 x 9 FAT and 14 root sectors
    kImageRootEntries = 224,
    kImageNameSize = 256, // a long name of up to 255 characters and its NUL
};

enum : uint8_t {
    kAttributeReadOnly = 0x01,
    kAttributeHidden = 0x02,
    kAttributeSystem = 0x04,
    kAttributeDirectory = 0x10,
    kAttributeArchive = 0x20,
    kSystemFileAttributes = kAttributeReadOnly | kAttributeHidden | kAttributeSystem,
};

// A date and time in the form a directory entry keeps them. A zero date
// marks a file the run made itself (CONFIG.SYS, MSDOS.SYS): it gets the
// newest time among the copied files, so the same sources give the same
// image.
struct DosTime {
    uint16_t date;
    uint16_t time;
};

enum ImageOutcome {
    kImageFits,
    kImageTooLarge,     // the files need more clusters than the diskette has
    kImageRootFull,     // more than 224 root entries, long-name entries included
    kImageTooManyFiles, // more entries than the writer keeps track of
    kImageBadName,      // a name Windows would not take
};

// What Finish tells about the image.
struct ImageSummary {
    ImageOutcome outcome;
    uint32_t files;       // files, folders not counted
    uint64_t bytesUsed;   // clusters in use (folders included) times 512
    uint64_t bytesShort;  // kImageTooLarge: how many more bytes it would need
    uint32_t rootEntries; // kImageRootFull: the entries the root would need
};

struct ImageNode;

class Fat12Image {
public:
    Fat12Image() = default;
    ~Fat12Image();
    Fat12Image(const Fat12Image &) = delete;
    Fat12Image &operator=(const Fat12Image &) = delete;

    // image holds kImageBytes; bootSector is the 512-byte boot record whose
    // BPB the image follows. False when the record does not describe a
    // 1.44 MB diskette or memory is short.
    bool Start(uint8_t *image, const uint8_t *bootSector);

    // An empty diskette again.
    void Clear();

    // Folder 0 is the root. Returns the folder of that name in parent (an
    // existing one, as a copy into it merges), or -1 when refused.
    int AddFolder(int parent, const char *name, DosTime time);

    // Adds a file to a folder, or replaces the one of the same name (names
    // are compared without regard to case, as Windows does). False when the
    // name is refused or the writer is full; a file that does not fit is
    // still counted, so Finish can say by how much.
    bool AddFile(int parent, const char *name, const uint8_t *data, uint64_t size,
                 uint8_t attributes, DosTime time);

    // Gives the file of that name in parent new attributes; false when there
    // is none.
    bool SetFileAttributes(int parent, const char *name, uint8_t attributes);

    // Writes folders, FATs and the boot record; the image is complete when
    // the outcome is kImageFits.
    ImageSummary Finish();

    // The refusal of the last AddFolder or AddFile, for a message.
    ImageOutcome LastRefusal() const { return refusal_; }

private:
    int Find(int parent, const char *name) const;
    int NewNode(int parent, const char *name, DosTime time, uint8_t attributes);
    void RemoveData(int node);
    bool PlaceData(int node, const uint8_t *data, uint64_t size);
    uint32_t EntriesOf(int folder) const;
    void MoveToFront(int node);
    void WriteFolder(int folder);
    void WriteFats();

    uint8_t *image_ = nullptr;
    const uint8_t *bootSector_ = nullptr;
    ImageNode *nodes_ = nullptr;
    int nodeCount_ = 0;
    uint32_t nextCluster_ = 2;    // first cluster after the placed file data
    uint64_t clustersWanted_ = 0; // of every file, placed or not
    ImageOutcome refusal_ = kImageFits;
};

// The 11-byte short name that Windows 95 gives a long name in a folder,
// where inUse tells whether a candidate is taken already. False when the
// name cannot be stored at all. needsLongName is set when the short name
// alone would not give the name back as it was written.
typedef bool (*ShortNameTaken)(const void *context, const uint8_t *shortName);
bool MakeShortName(const char *longName, ShortNameTaken inUse, const void *context,
                   uint8_t *shortName, bool *needsLongName);

// The checksum of a short name that its long-name entries carry.
uint8_t ShortNameChecksum(const uint8_t *shortName);
