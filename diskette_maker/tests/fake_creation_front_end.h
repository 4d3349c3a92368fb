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

class FakeCreationFrontEnd : public CreationFrontEnd {
public:
    // Set up by the test.
    bool answerYes = true;
    std::string tempFolder = "C:\\TEMP\\";
    bool tempUsable = true;              // the save folder can be made: "RUN\\" in it
    std::set<std::string> disketteFiles; // names in the diskette root
    int failStep = -1;                   // CreationStep that fails
    FileOperationResult failure = {1, false};
    FileOperationResult moveBack = {0, false}; // the restore, unless failStep
    bool bootable = true;                      // what MakeBootable reports

    // Recorded.
    // "confirm", "op:<step>", "bootable", "startup:<n>", "note" (or
    // "note:no system files"), "left:<folder>"
    std::vector<std::string> events;
    std::vector<RecordedOperation> operations;
    std::vector<std::string> removedFolders; // by RemoveSaveFolder

    bool ConfirmErase(const char *root) override;
    bool GetTempFolder(char *folder, size_t capacity) override;
    bool MakeSaveFolder(char *folder, size_t capacity) override;
    void RemoveSaveFolder(const char *folder) override;
    bool FileExistsIn(const char *folder, const char *name) override;
    FileOperationResult RunFileOperation(const FileOperation &operation) override;
    bool MakeBootable() override;
    void WriteStartupFiles(int product) override;
    void ShowClosingNote(bool withoutSystemFiles) override;
    void ShowFilesLeftIn(const char *folder) override;

    const RecordedOperation *Find(CreationStep step) const;
};
