// The Record blocks compiled into the command-line tool (embed_records.cmake).
#pragma once

#include <cstdint>

struct EmbeddedRecord {
    int id;
    const uint8_t *bytes;
    uint32_t size;
};

enum { kEmbeddedRecordCount = 5 };
extern const EmbeddedRecord EmbeddedRecords[kEmbeddedRecordCount];
