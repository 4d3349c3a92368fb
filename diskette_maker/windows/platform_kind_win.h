// The running system's PlatformKind, asked of Windows itself.
#ifndef DISKETTE_MAKER_WINDOWS_PLATFORM_KIND_WIN_H
#define DISKETTE_MAKER_WINDOWS_PLATFORM_KIND_WIN_H

#include "core/platform_kind.h"

// GetVersionExA's answer as PlatformKindFrom reads it.
int PlatformKind();

#endif
