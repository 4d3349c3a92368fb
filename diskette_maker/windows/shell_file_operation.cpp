#include "windows/shell_file_operation.h"

#include "common/windows/shell_entry.h"

typedef int(WINAPI *FileOperationFunction)(SHFILEOPSTRUCTA *);

int ShellFileOperation(SHFILEOPSTRUCTA *operation)
{
    FileOperationFunction fileOperation = ShellFunction<FileOperationFunction>("SHFileOperationA");
    return fileOperation ? fileOperation(operation) : ERROR_DLL_NOT_FOUND;
}
