// The Record blocks compiled into the command-line tool (embed_records.cmake).
#ifndef DISKETTE_MAKER_IMAGE_TOOL_EMBEDDED_RECORDS_H
#define DISKETTE_MAKER_IMAGE_TOOL_EMBEDDED_RECORDS_H

#include <cstdint>

struct EmbeddedRecord {
    int id;
    const uint8_t* bytes;
    uint32_t size;
};

enum { EmbeddedRecordCount = 5 };
extern const EmbeddedRecord EmbeddedRecords[EmbeddedRecordCount];

#endif
