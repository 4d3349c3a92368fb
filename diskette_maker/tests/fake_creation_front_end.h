// A creation front end that records every step instead of touching a disk,
// and can fail or cancel any file operation.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/creation_plan.h"

std::vector<std::string> SplitPathList(const char *list);

struct RecordedOperation {
    CreationStep step;
    int operation;
    std::vector<std::string> from;
    std::vector<std::string> to; // empty for a delete
    unsigned flags;
};

class FakeCreationFrontEnd : public CreationFrontEnd,
                             private BootableFrontEnd,
                             private StartupFileWriter {
public:
    // Set up by the test.
    bool answerYes = true;
    std::string tempFolder = "C:\\TEMP\\";
    bool tempUsable = true;              // the save folder can be made: "RUN\\" in it
    std::set<std::string> disketteFiles; // names in the diskette root
    int failStep = -1;                   // CreationStep that fails
    FileOperationResult failure = {1, false};
    FileOperationResult moveBack = {0, false}; // the restore, unless failStep
    bool bootable = true;                      // whether the system files are copied

    // Recorded.
    // "confirm", "op:<step>", "bootable" (the bootable step's probe),
    // "startup:<n>" (the CONFIG.SYS of product n), "note" (or "note:no
    // system files"), "left:<folder>"
    std::vector<std::string> events;
    std::vector<RecordedOperation> operations;
    std::vector<std::string> removedFolders; // by RemoveSaveFolder

    bool ConfirmErase(const char *root) override;
    bool GetTempFolder(char *folder, size_t capacity) override;
    bool MakeSaveFolder(char *folder, size_t capacity) override;
    void RemoveSaveFolder(const char *folder) override;
    bool FileExistsIn(const char *folder, const char *name) override;
    FileOperationResult RunFileOperation(const FileOperation &operation) override;
    BootableFrontEnd &Bootable() override { return *this; }
    StartupFileWriter &StartupFiles() override { return *this; }
    void ShowClosingNote(bool withoutSystemFiles) override;
    void ShowFilesLeftIn(const char *folder) override;

    const RecordedOperation *Find(CreationStep step) const;

private:
    bool ProbeDrive(const char *root) override;
    bool CopyEmergencyBootFiles(const char *root) override;
    bool CreateEmptyFile(const char *) override { return true; }
    void MarkSystemFile(const char *) override {}
    bool WriteBootSector(const char *) override { return true; }
    bool WriteRecordFile(const char *, int record) override;
};
