#include "core/fat12_image.h"

#include <cstdlib>
#include <cstring>

#include "core/raw_diskette.h"
#include "core/startup_files.h"

enum : uint32_t {
    kSectorsPerFat = 9,
    kFatCopies = 2,
    kRootSectors = 14,
    kFirstFatSector = 1,
    kRootSector = kFirstFatSector + kFatCopies * kSectorsPerFat,
    kFirstDataSector = kRootSector + kRootSectors,
    kEntryBytes = 32,
    kEntriesPerCluster = kImageSectorBytes / kEntryBytes,
    kLongNameChars = 13,
    kMaxNodes = 1024,
    kMediaDescriptor = 0xF0,
    kEndOfChain = 0xFFF,
    kSerialOffset = 0x27,
    kLabelOffset = 0x2B,
};

struct ImageNode {
    int parent;
    bool folder;
    bool placed;   // its data lies in the image
    bool longName; // it needs long-name entries
    uint8_t attributes;
    uint8_t shortName[11];
    DosTime time;
    uint32_t size;
    uint32_t firstCluster; // 0 for an empty file
    uint64_t clusters;     // wanted, placed or not: a file of 4 GiB or more counts too
    char name[kImageNameSize];
};

namespace {

uint8_t Upper(uint8_t c)
{
    return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 'a' + 'A') : c;
}

bool SameName(const char *a, const char *b)
{
    for (; *a && Upper(static_cast<uint8_t>(*a)) == Upper(static_cast<uint8_t>(*b)); a++, b++) {}
    return *a == *b;
}

// Characters a short name may keep as they are (after upper-casing).
bool ShortNameChar(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
        (c != 0 && c < 0x80 && strchr("!#$%&'()-@^_`{}~", c) != nullptr);
}

// Windows takes no control characters and none of \/:*?"<>| in a name, and
// drops trailing blanks and dots, so a name ending in one has no twin there.
bool LongNameValid(const char *name)
{
    size_t length = strlen(name);
    if (length == 0 || length >= kImageNameSize || name[length - 1] == ' ' ||
        name[length - 1] == '.')
        return false;
    for (const char *p = name; *p; p++) {
        uint8_t c = static_cast<uint8_t>(*p);
        if (c < 0x20 || strchr("\\/:*?\"<>|", c))
            return false;
    }
    return true;
}

uint64_t ClustersFor(uint64_t bytes)
{
    return (bytes + kImageSectorBytes - 1) / kImageSectorBytes;
}

uint32_t LongEntriesFor(const ImageNode &node)
{
    return node.longName
        ? static_cast<uint32_t>(strlen(node.name) + kLongNameChars - 1) / kLongNameChars
        : 0;
}

void Put16(uint8_t *p, uint32_t value)
{
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t *p, uint32_t value)
{
    Put16(p, value);
    Put16(p + 2, value >> 16);
}

uint8_t *ClusterAt(uint8_t *image, uint32_t cluster)
{
    return image + (kFirstDataSector + cluster - 2) * kImageSectorBytes;
}

// A short entry: name, attributes, the creation, access and write stamps
// all from one time (the copy's own moment is not ours to record), cluster
// and size.
void WriteShortEntry(uint8_t *entry, const uint8_t *shortName, uint8_t attributes, DosTime time,
                     uint32_t cluster, uint32_t size)
{
    memcpy(entry, shortName, 11);
    entry[11] = attributes;
    Put16(entry + 14, time.time);
    Put16(entry + 16, time.date);
    Put16(entry + 18, time.date);
    Put16(entry + 22, time.time);
    Put16(entry + 24, time.date);
    Put16(entry + 26, cluster);
    Put32(entry + 28, size);
}

// The long-name entries of a name, last part first, as they precede its
// short entry. Characters are the name's bytes, read as Latin-1.
uint8_t *WriteLongEntries(uint8_t *entry, const ImageNode &node)
{
    static const uint8_t kSlots[kLongNameChars] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    uint32_t length = static_cast<uint32_t>(strlen(node.name));
    uint32_t count = LongEntriesFor(node);
    uint8_t checksum = ShortNameChecksum(node.shortName);
    for (uint32_t part = count; part >= 1; part--, entry += kEntryBytes) {
        memset(entry, 0, kEntryBytes);
        entry[0] = static_cast<uint8_t>(part | (part == count ? 0x40 : 0));
        entry[11] = 0x0F;
        entry[13] = checksum;
        for (uint32_t i = 0; i < kLongNameChars; i++) {
            uint32_t at = (part - 1) * kLongNameChars + i;
            uint32_t unit = at < length ? static_cast<uint8_t>(node.name[at])
                : at == length          ? 0
                                        : 0xFFFF;
            Put16(entry + kSlots[i], unit);
        }
    }
    return entry;
}

struct Siblings {
    const ImageNode *nodes;
    int count;
    int parent;
};

bool ShortNameInUse(const void *context, const uint8_t *shortName)
{
    const Siblings *s = static_cast<const Siblings *>(context);
    for (int i = 1; i < s->count; i++)
        if (s->nodes[i].parent == s->parent && memcmp(s->nodes[i].shortName, shortName, 11) == 0)
            return true;
    return false;
}

// The volume serial: FNV-1a over the finished image with the serial field
// still zero, up to its last cluster in use (the rest is zero), so it
// follows the content and nothing else.
uint32_t SerialOf(const uint8_t *image, uint32_t bytes)
{
    uint32_t hash = 2166136261u;
    for (uint32_t i = 0; i < bytes; i++)
        hash = (hash ^ image[i]) * 16777619u;
    return hash;
}

} // namespace

uint8_t ShortNameChecksum(const uint8_t *shortName)
{
    uint8_t sum = 0;
    for (int i = 0; i < 11; i++)
        sum = static_cast<uint8_t>(((sum & 1) << 7) + (sum >> 1) + shortName[i]);
    return sum;
}

bool MakeShortName(const char *longName, ShortNameTaken inUse, const void *context,
                   uint8_t *shortName, bool *needsLongName)
{
    // The basis: leading dots and every blank go; the last dot parts base
    // from extension and the others go too. Anything lost or cut asks for a
    // numeric tail.
    bool lossy = false, lowerCase = false;
    const char *p = longName;
    while (*p == '.') {
        p++;
        lossy = true;
    }
    const char *lastDot = strrchr(p, '.');
    uint8_t base[8], extension[3];
    size_t baseLength = 0, extensionLength = 0;
    for (const char *q = p; *q; q++) {
        uint8_t c = Upper(static_cast<uint8_t>(*q));
        lowerCase = lowerCase || c != static_cast<uint8_t>(*q);
        bool inExtension = lastDot && q > lastDot;
        if (c == ' ' || (c == '.' && q != lastDot)) {
            lossy = true;
            continue;
        }
        if (q == lastDot)
            continue;
        if (!ShortNameChar(c)) {
            c = '_';
            lossy = true;
        }
        if (inExtension) {
            if (extensionLength == 3)
                lossy = true;
            else
                extension[extensionLength++] = c;
        } else {
            if (baseLength == 8)
                lossy = true;
            else
                base[baseLength++] = c;
        }
    }
    if (baseLength == 0)
        return false;

    memset(shortName, ' ', 11);
    memcpy(shortName, base, baseLength);
    memcpy(shortName + 8, extension, extensionLength);
    if (!lossy && !inUse(context, shortName)) {
        // Nothing was lost: "BASE.EXT" gives the name back but for its case.
        *needsLongName = lowerCase;
        return true;
    }

    *needsLongName = true;
    for (uint32_t number = 1; number < 1000000; number++) {
        char tail[8];
        int digits = 0;
        for (uint32_t v = number; v; v /= 10)
            digits++;
        tail[0] = '~';
        for (int i = digits, v = static_cast<int>(number); i >= 1; i--, v /= 10)
            tail[i] = static_cast<char>('0' + v % 10);
        size_t tailLength = static_cast<size_t>(digits) + 1;
        size_t keep = baseLength < 8 - tailLength ? baseLength : 8 - tailLength;
        memset(shortName, ' ', 8);
        memcpy(shortName, base, keep);
        memcpy(shortName + keep, tail, tailLength);
        if (!inUse(context, shortName))
            return true;
    }
    return false;
}

Fat12Image::~Fat12Image()
{
    free(nodes_);
}

bool Fat12Image::Start(uint8_t *image, const uint8_t *bootSector)
{
    if (!DescribesHighDensityDiskette(bootSector))
        return false;
    if (!nodes_)
        nodes_ = static_cast<ImageNode *>(calloc(kMaxNodes, sizeof(ImageNode)));
    if (!nodes_)
        return false;
    image_ = image;
    bootSector_ = bootSector;
    Clear();
    return true;
}

void Fat12Image::Clear()
{
    memset(image_, 0, kImageBytes);
    memset(&nodes_[0], 0, sizeof nodes_[0]);
    nodes_[0].folder = true;
    nodes_[0].parent = -1;
    nodeCount_ = 1;
    nextCluster_ = 2;
    clustersWanted_ = 0;
    refusal_ = kImageFits;
}

int Fat12Image::Find(int parent, const char *name) const
{
    for (int i = 1; i < nodeCount_; i++)
        if (nodes_[i].parent == parent && SameName(nodes_[i].name, name))
            return i;
    return -1;
}

int Fat12Image::NewNode(int parent, const char *name, DosTime time, uint8_t attributes)
{
    if (!LongNameValid(name)) {
        refusal_ = kImageBadName;
        return -1;
    }
    if (nodeCount_ == kMaxNodes) {
        refusal_ = kImageTooManyFiles;
        return -1;
    }
    ImageNode &node = nodes_[nodeCount_];
    memset(&node, 0, sizeof node);
    Siblings siblings = {nodes_, nodeCount_, parent};
    if (!MakeShortName(name, ShortNameInUse, &siblings, node.shortName, &node.longName)) {
        refusal_ = kImageBadName;
        return -1;
    }
    node.parent = parent;
    node.attributes = attributes;
    node.time = time;
    memcpy(node.name, name, strlen(name) + 1);
    return nodeCount_++;
}

int Fat12Image::AddFolder(int parent, const char *name, DosTime time)
{
    if (parent < 0 || parent >= nodeCount_ || !nodes_[parent].folder)
        return -1;
    int existing = Find(parent, name);
    if (existing >= 0 && !nodes_[existing].folder)
        refusal_ = kImageBadName; // a file of that name is there already
    if (existing >= 0)
        return nodes_[existing].folder ? existing : -1;
    int node = NewNode(parent, name, time, kAttributeDirectory);
    if (node >= 0)
        nodes_[node].folder = true;
    return node;
}

bool Fat12Image::PlaceData(int index, const uint8_t *data, uint64_t size)
{
    ImageNode &node = nodes_[index];
    node.size = static_cast<uint32_t>(size); // written only when it fits
    node.clusters = ClustersFor(size);
    node.firstCluster = 0;
    node.placed = false;
    clustersWanted_ += node.clusters;
    if (node.clusters == 0)
        return true;
    if (nextCluster_ - 2 + node.clusters > kImageDataClusters)
        return true; // counted, not placed: Finish reports the shortfall
    memcpy(ClusterAt(image_, nextCluster_), data, size);
    node.firstCluster = nextCluster_;
    node.placed = true;
    nextCluster_ += node.clusters;
    return true;
}

// Takes a replaced file's clusters out, moving the files behind it down so
// that every file stays in one run.
void Fat12Image::RemoveData(int index)
{
    ImageNode &node = nodes_[index];
    clustersWanted_ -= node.clusters;
    if (node.placed && node.clusters) {
        uint8_t *from = ClusterAt(image_, node.firstCluster + node.clusters);
        uint8_t *end = ClusterAt(image_, nextCluster_);
        memmove(ClusterAt(image_, node.firstCluster), from, static_cast<size_t>(end - from));
        nextCluster_ -= node.clusters;
        memset(ClusterAt(image_, nextCluster_), 0, node.clusters * kImageSectorBytes);
        for (int i = 1; i < nodeCount_; i++)
            if (nodes_[i].placed && nodes_[i].firstCluster > node.firstCluster)
                nodes_[i].firstCluster -= node.clusters;
    }
    node.placed = false;
    node.clusters = 0;
    node.firstCluster = 0;
}

bool Fat12Image::AddFile(int parent, const char *name, const uint8_t *data, uint64_t size,
                         uint8_t attributes, DosTime time)
{
    if (parent < 0 || parent >= nodeCount_ || !nodes_[parent].folder)
        return false;
    int index = Find(parent, name);
    if (index >= 0) {
        if (nodes_[index].folder) {
            refusal_ = kImageBadName;
            return false;
        }
        // A copy over a file overwrites it in place: its entry, and so its
        // name as first written, stay.
        RemoveData(index);
        nodes_[index].attributes = attributes;
        nodes_[index].time = time;
    } else {
        index = NewNode(parent, name, time, attributes);
        if (index < 0)
            return false;
    }
    return PlaceData(index, data, size);
}

bool Fat12Image::SetFileAttributes(int parent, const char *name, uint8_t attributes)
{
    int index = Find(parent, name);
    if (index < 0 || nodes_[index].folder)
        return false;
    nodes_[index].attributes = attributes;
    return true;
}

uint32_t Fat12Image::EntriesOf(int folder) const
{
    uint32_t entries = folder == 0 ? 0 : 2; // "." and ".."
    for (int i = 1; i < nodeCount_; i++)
        if (nodes_[i].parent == folder)
            entries += 1 + LongEntriesFor(nodes_[i]);
    return entries;
}

// The boot loader reads IO.SYS from cluster 2 on: its data goes to the
// front, the files before it move up behind it.
void Fat12Image::MoveToFront(int index)
{
    ImageNode &io = nodes_[index];
    if (!io.placed || io.firstCluster == 2 || io.clusters == 0)
        return;
    size_t bytes = io.clusters * kImageSectorBytes;
    uint8_t *saved = static_cast<uint8_t *>(malloc(bytes));
    if (!saved)
        return;
    memcpy(saved, ClusterAt(image_, io.firstCluster), bytes);
    memmove(ClusterAt(image_, 2 + io.clusters), ClusterAt(image_, 2),
            (io.firstCluster - 2) * kImageSectorBytes);
    memcpy(ClusterAt(image_, 2), saved, bytes);
    free(saved);
    for (int i = 1; i < nodeCount_; i++)
        if (i != index && nodes_[i].placed && nodes_[i].firstCluster < io.firstCluster)
            nodes_[i].firstCluster += io.clusters;
    io.firstCluster = 2;
}

void Fat12Image::WriteFolder(int folder)
{
    const ImageNode &self = nodes_[folder];
    uint8_t *entry = folder == 0 ? image_ + kRootSector * kImageSectorBytes
                                 : ClusterAt(image_, self.firstCluster);
    if (folder != 0) {
        uint32_t parentCluster = self.parent == 0 ? 0 : nodes_[self.parent].firstCluster;
        WriteShortEntry(entry, reinterpret_cast<const uint8_t *>(".          "),
                        kAttributeDirectory, self.time, self.firstCluster, 0);
        WriteShortEntry(entry + kEntryBytes, reinterpret_cast<const uint8_t *>("..         "),
                        kAttributeDirectory, self.time, parentCluster, 0);
        entry += 2 * kEntryBytes;
    }
    // IO.SYS is the root's first entry, where the boot loader looks.
    int first = folder == 0 ? Find(0, kBiosSystemFile) : -1;
    if (first >= 0 && nodes_[first].folder)
        first = -1;
    for (int pass = 0; pass < 2; pass++) {
        for (int i = 1; i < nodeCount_; i++) {
            const ImageNode &node = nodes_[i];
            if (node.parent != folder || (pass == 0) != (i == first))
                continue;
            if (node.longName)
                entry = WriteLongEntries(entry, node);
            WriteShortEntry(entry, node.shortName, node.attributes, node.time, node.firstCluster,
                            node.folder ? 0 : node.size);
            entry += kEntryBytes;
        }
    }
}

void Fat12Image::WriteFats()
{
    uint8_t *fat = image_ + kFirstFatSector * kImageSectorBytes;
    auto set = [fat](uint32_t cluster, uint32_t value) {
        uint8_t *p = fat + cluster * 3 / 2;
        if (cluster & 1) {
            p[0] = static_cast<uint8_t>((p[0] & 0x0F) | (value << 4));
            p[1] = static_cast<uint8_t>(value >> 4);
        } else {
            p[0] = static_cast<uint8_t>(value);
            p[1] = static_cast<uint8_t>((p[1] & 0xF0) | ((value >> 8) & 0x0F));
        }
    };
    set(0, 0xF00 | kMediaDescriptor);
    set(1, kEndOfChain);
    for (int i = 0; i < nodeCount_; i++) {
        const ImageNode &node = nodes_[i];
        if (node.clusters == 0 || node.firstCluster == 0)
            continue;
        for (uint32_t c = 0; c < node.clusters; c++)
            set(node.firstCluster + c,
                c + 1 == node.clusters ? kEndOfChain : node.firstCluster + c + 1);
    }
    memcpy(fat + kSectorsPerFat * kImageSectorBytes, fat, kSectorsPerFat * kImageSectorBytes);
}

ImageSummary Fat12Image::Finish()
{
    ImageSummary summary = {};
    summary.rootEntries = EntriesOf(0);
    if (summary.rootEntries > kImageRootEntries) {
        summary.outcome = kImageRootFull;
        return summary;
    }
    uint64_t folderClusters = 0;
    for (int i = 1; i < nodeCount_; i++) {
        if (nodes_[i].folder) {
            nodes_[i].clusters = ClustersFor(EntriesOf(i) * kEntryBytes);
            folderClusters += nodes_[i].clusters;
        } else {
            summary.files++;
        }
    }
    uint64_t total = clustersWanted_ + folderClusters;
    summary.bytesUsed = total * kImageSectorBytes;
    if (total > kImageDataClusters) {
        summary.outcome = kImageTooLarge;
        summary.bytesShort = (total - kImageDataClusters) * kImageSectorBytes;
        return summary;
    }

    int io = Find(0, kBiosSystemFile);
    if (io >= 0 && !nodes_[io].folder)
        MoveToFront(io);
    uint32_t next = nextCluster_;
    DosTime newest = {0, 0};
    for (int i = 1; i < nodeCount_; i++) {
        if (nodes_[i].folder) {
            nodes_[i].firstCluster = next;
            next += nodes_[i].clusters;
        }
        const DosTime &t = nodes_[i].time;
        if (t.date > newest.date || (t.date == newest.date && t.time > newest.time))
            newest = t;
    }
    for (int i = 1; i < nodeCount_; i++)
        if (nodes_[i].time.date == 0)
            nodes_[i].time = newest;

    // The boot record as it is, but for what names this one diskette: its
    // serial number, and the label Windows writes on a diskette without one.
    memcpy(image_, bootSector_, kImageSectorBytes);
    memset(image_ + kSerialOffset, 0, 4);
    memcpy(image_ + kLabelOffset, "NO NAME    ", 11);
    WriteFats();
    for (int i = 0; i < nodeCount_; i++)
        if (nodes_[i].folder)
            WriteFolder(i);
    Put32(image_ + kSerialOffset,
          SerialOf(image_, static_cast<uint32_t>(ClusterAt(image_, next) - image_)));
    summary.outcome = kImageFits;
    return summary;
}
