#include "windows/shell_file_operation.h"

// shell32 and everything it pulls in take a noticeable share of the start-up
// until the product dialog shows, and nothing needs it before Create Disk.
typedef int(WINAPI *FileOperationFunction)(SHFILEOPSTRUCTA *);

static FileOperationFunction FileOperationEntry()
{
    static FileOperationFunction entry;
    if (!entry) {
        HMODULE shell = LoadLibraryA("shell32.dll");
        if (shell)
            entry = reinterpret_cast<FileOperationFunction>(
                reinterpret_cast<void *>(GetProcAddress(shell, "SHFileOperationA")));
    }
    return entry;
}

int ShellFileOperation(SHFILEOPSTRUCTA *operation)
{
    FileOperationFunction fileOperation = FileOperationEntry();
    return fileOperation ? fileOperation(operation) : ERROR_DLL_NOT_FOUND;
}
