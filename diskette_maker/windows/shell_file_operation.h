// The shell's file operation (copy, move, delete with the shell's own
// progress and error windows), reached through shell32 loaded on first use.
#pragma once

#include <windows.h>
#include <shellapi.h>

// SHFileOperationA; when shell32 cannot be had, a non-zero result as for
// any failed operation.
int ShellFileOperation(SHFILEOPSTRUCTA *operation);
