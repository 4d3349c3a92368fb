// The CD paths that one run copies to the diskette, by product, variant and
// language. The CD keeps every product's files in fixed folders below its
// root; only their names and places are relied on.
#pragma once

#include "core/run_settings.h"

enum { kSourcePathSize = 260 };

struct ProductSources {
    char product[kSourcePathSize];       // the product's setup files, "...\*.*"
    char drivers[kSourcePathSize];       // the shared "Drivers" folder (Windows diskettes), else ""
    char guide[kSourcePathSize];         // the product's user's guide
    char testPort[kSourcePathSize];      // the test-port utility, "" for the diskette drive
    char testPortNotes[kSourcePathSize]; // its companion ".txt", "" with it
};

// cdRoot ends with a backslash. False when a path would not fit.
bool BuildProductSources(const char *cdRoot, Product product, bool msdosVariant, Language language,
                         ProductSources &out);
