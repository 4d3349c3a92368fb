// The running system's PlatformKind, asked of Windows itself.
#pragma once

#include "core/platform_kind.h"

// GetVersionExA's answer as PlatformKindFrom reads it.
int PlatformKind();
