#include "windows/shell_file_operation.h"

#include "common/windows/system_library.h"

typedef int(WINAPI *FileOperationFunction)(SHFILEOPSTRUCTA *);

int ShellFileOperation(SHFILEOPSTRUCTA *operation)
{
    FileOperationFunction fileOperation =
        SystemFunction<FileOperationFunction>(kShell32, "SHFileOperationA");
    return fileOperation ? fileOperation(operation) : ERROR_DLL_NOT_FOUND;
}
