#include "fake_creation_front_end.h"

#include <cstring>

#include "core/run_settings.h"
#include "core/startup_files.h"

std::vector<std::string> SplitPathList(const char *list)
{
    std::vector<std::string> paths;
    for (const char *p = list; p && *p; p += strlen(p) + 1)
        paths.push_back(p);
    return paths;
}

bool FakeCreationFrontEnd::ConfirmErase(const char *)
{
    events.push_back("confirm");
    return answerYes;
}

bool FakeCreationFrontEnd::GetTempFolder(char *folder, size_t capacity)
{
    if (tempFolder.empty() || tempFolder.size() + 1 > capacity)
        return false;
    memcpy(folder, tempFolder.c_str(), tempFolder.size() + 1);
    return true;
}

bool FakeCreationFrontEnd::MakeSaveFolder(char *folder, size_t capacity)
{
    std::string made = std::string(folder) + "RUN\\";
    if (!tempUsable || made.size() + 1 > capacity)
        return false;
    memcpy(folder, made.c_str(), made.size() + 1);
    return true;
}

void FakeCreationFrontEnd::RemoveSaveFolder(const char *folder)
{
    removedFolders.push_back(folder);
}

bool FakeCreationFrontEnd::FileExistsIn(const char *, const char *name)
{
    return disketteFiles.count(name) != 0;
}

FileOperationResult FakeCreationFrontEnd::RunFileOperation(const FileOperation &operation)
{
    events.push_back("op:" + std::to_string(operation.step));
    operations.push_back({operation.step, operation.operation, SplitPathList(operation.from),
                          SplitPathList(operation.to), operation.flags});
    if (operation.step == failStep)
        return failure;
    if (operation.step == kStepRestoreSystemFiles)
        return moveBack;
    return {0, false};
}

bool FakeCreationFrontEnd::ProbeDrive(const char *)
{
    events.push_back("bootable");
    return true;
}

bool FakeCreationFrontEnd::CopyEmergencyBootFiles(const char *)
{
    return bootable;
}

// A product's startup files show in events once, by the product whose
// CONFIG.SYS was written.
bool FakeCreationFrontEnd::WriteRecordFile(const char *, int record)
{
    for (Product product : {kProductHardDrive, kProductCdromDrive, kProductDisketteDrive})
        if (record == ConfigRecordFor(product))
            events.push_back("startup:" + std::to_string(product));
    return true;
}

void FakeCreationFrontEnd::ShowClosingNote(bool withoutSystemFiles)
{
    events.push_back(withoutSystemFiles ? "note:no system files" : "note");
}

void FakeCreationFrontEnd::ShowFilesLeftIn(const char *folder)
{
    events.push_back(std::string("left:") + folder);
}

const RecordedOperation *FakeCreationFrontEnd::Find(CreationStep step) const
{
    for (const RecordedOperation &operation : operations)
        if (operation.step == step)
            return &operation;
    return nullptr;
}
