// Prints every CD path that the three programs can start, open or copy,
// asked of the programs' own cores and string tables:
//
//   cd_paths LAUNCHER.EXE LINGPICK.EXE
//
// One line per path and asker: the path relative to the CD root as the
// program writes it (backslashes, "*.*" for a folder's contents), a tab, the
// program, a tab, what in it asks for the path; UTF-8. The executables are
// the shipping builds, whose string tables hold the menu's buttons, the
// guides' names and Lingpick's languages.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/action_command.h"
#include "core/creation_plan.h"
#include "core/guides.h"
#include "core/installer_path.h"
#include "core/language_table.h"
#include "core/menu_model.h"
#include "core/platform_kind.h"
#include "pe_strings.h"

namespace {

// The programs run from the root of drive D here; what they build below it
// is the CD path.
const char kCdRoot[] = "D:\\";
const char *const kLanguageNames[] = {"English", "Spanish", "French"};

class TableStrings : public StringSource {
public:
    explicit TableStrings(const PeStrings &table) : table_(table) {}
    bool Load(int id, char *buffer, std::size_t size) const override
    {
        return id >= 0 && table_.Load(unsigned(id), buffer, size);
    }

private:
    const PeStrings &table_;
};

void Print(const std::string &path, const char *program, const std::string &why)
{
    std::string relative = path.compare(0, std::strlen(kCdRoot), kCdRoot) == 0
        ? path.substr(std::strlen(kCdRoot))
        : path;
    std::printf("%s\t%s\t%s\n", Utf8FromAnsi(relative).c_str(), program, Utf8FromAnsi(why).c_str());
}

// The program a WinExec command line starts: the quoted path, or the whole
// line when it is not quoted (the launcher passes no arguments then).
std::string ProgramOf(const std::string &command)
{
    if (command.empty() || command[0] != '"')
        return command;
    return command.substr(1, command.find('"', 1) - 1);
}

// ---- Floppwright: every product, variant and language, run against a
// front end that agrees to everything and notes what is copied from the CD.

class CopyRecorder : public CreationFrontEnd, BootableFrontEnd, StartupFileWriter {
public:
    explicit CopyRecorder(const std::string &why) : why_(why) {}
    bool ConfirmErase(const char *) override { return true; }
    bool GetTempFolder(char *, size_t) override { return false; }
    bool MakeSaveFolder(char *, size_t) override { return false; }
    void RemoveSaveFolder(const char *) override {}
    bool FileExistsIn(const char *, const char *) override { return false; }
    FileOperationResult RunFileOperation(const FileOperation &op) override
    {
        bool fromCd = op.step == kStepCopyProduct || op.step == kStepCopyGuide ||
            op.step == kStepCopyTestPort;
        // Of the product copy, an entry without "*.*" copies a folder whole
        // (Drivers); it is listed with a trailing backslash. Every other
        // path names a file.
        for (const char *p = op.from; fromCd && p != nullptr && *p != '\0';
             p += std::strlen(p) + 1) {
            std::string path = p;
            bool whole = op.step == kStepCopyProduct &&
                (path.size() < 4 || path.compare(path.size() - 4, 4, "\\*.*") != 0);
            Print(whole ? path + "\\" : path, "Floppwright", why_);
        }
        return FileOperationResult{0, false};
    }
    BootableFrontEnd &Bootable() override { return *this; }
    StartupFileWriter &StartupFiles() override { return *this; }
    bool ProbeDrive(const char *) override { return false; }
    bool CopyEmergencyBootFiles(const char *) override { return false; }
    bool CreateEmptyFile(const char *) override { return false; }
    void MarkSystemFile(const char *) override {}
    bool WriteBootSector(const char *) override { return false; }
    bool WriteRecordFile(const char *, int) override { return false; }
    void ShowClosingNote(bool) override {}
    void ShowFilesLeftIn(const char *) override {}

private:
    std::string why_;
};

void FloppwrightPaths(const std::string &modulePath)
{
    const char *const products[] = {"hard drive", "CD-ROM drive", "diskette drive"};
    for (int language = 1; language <= 3; language++) {
        for (int product = 1; product <= 3; product++) {
            // The window offers only MS-DOS for the diskette drive.
            for (bool msdos : {false, true}) {
                if (product == 3 && !msdos)
                    continue;
                CopyRecorder recorder(std::string(kLanguageNames[language - 1]) + ", " +
                                      products[product - 1] + (msdos ? ", MS-DOS" : ", Windows"));
                CreationInputs inputs{static_cast<Language>(language),
                                      static_cast<Product>(product),
                                      msdos,
                                      false,
                                      kPlatformNoWindows,
                                      "A:\\",
                                      modulePath.c_str()};
                RunCreation(inputs, recorder);
            }
        }
    }
}

// ---- Lingpick: the installer of every language its list offers.

void LingpickPaths(const std::string &modulePath, PeStrings &strings)
{
    LanguageTable table;
    ReadLanguageTable(TableStrings(strings), table);
    char folder[kPathSize], path[kPathSize];
    if (!AcrobatFolder(modulePath.c_str(), folder, sizeof folder))
        return;
    for (int row = 0; row < CountListRows(table); row++) {
        if (InstallerPath(folder, table.rows[row].code, path, sizeof path))
            Print(path, "Lingpick", table.rows[row].name);
    }
}

// ---- launcher: every action code the menu knows, in every language; a
// code that no button carries is still listed, since a CD's string table
// may bind it.

std::string ButtonOfCode(const TableStrings &strings, int language, int code)
{
    char text[kTextBufferSize];
    for (int i = 0; i < CountButtons(strings, language); i++) {
        if (strings.Load(ActionId(i), text, sizeof text) && ParseActionCode(text) == code &&
            strings.Load(LabelId(language, i), text, sizeof text)) {
            StripMnemonicMarker(text);
            return std::string("\"") + text + "\"";
        }
    }
    return "";
}

void GuidePaths(const TableStrings &strings, const char *directory, int language)
{
    char folder[kCommandSize];
    if (!BuildGuidesFolder(directory, language, folder, sizeof folder))
        return;
    unsigned first = GuideNameId(folder);
    for (unsigned id = first; id <= first + 1; id++) {
        char file[kGuideFileSize];
        if (strings.Load(int(id), file, sizeof file))
            Print(std::string(folder) + "\\" + file, "launcher",
                  std::string(kLanguageNames[language - 1]) + " user's guides");
    }
}

int LauncherPaths(const PeStrings &launcherTable, PeStrings &lingpickTable)
{
    TableStrings strings(launcherTable);
    char directory[kCommandSize], command[kCommandSize];
    LauncherDirectoryFrom("D:\\Setup.exe", directory, sizeof directory);
    std::string floppwright, lingpick;
    for (int language = 1; language <= 3; language++) {
        const char *name = kLanguageNames[language - 1];
        // The codes are small numbers; the core says which of them act.
        for (int code = 0; code < 100; code++) {
            std::string button = ButtonOfCode(strings, language, code);
            std::string why = std::string(name) +
                (button.empty() ? " action code " + std::to_string(code) : " " + button);
            switch (ActionForCode(code)) {
            case Action::kRunProgram:
                if (BuildActionCommand(code, directory, language, command, sizeof command)) {
                    Print(ProgramOf(command), "launcher", why);
                    if (code == kDisketteMaker)
                        floppwright = ProgramOf(command);
                }
                break;
            case Action::kShowGuides:
                GuidePaths(strings, directory, language);
                if (BuildLingpickCommand(directory, command, sizeof command)) {
                    Print(ProgramOf(command), "launcher", std::string(name) + " PDF reader offer");
                    lingpick = ProgramOf(command);
                }
                break;
            default:
                break;
            }
        }
    }
    if (floppwright.empty() || lingpick.empty()) {
        std::fprintf(stderr, "cd_paths: the launcher starts no Floppwright or no Lingpick\n");
        return 1;
    }
    FloppwrightPaths(floppwright);
    LingpickPaths(lingpick, lingpickTable);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: cd_paths LAUNCHER.EXE LINGPICK.EXE\n");
        return 2;
    }
    PeStrings launcher, lingpick;
    if (!launcher.ReadFile(argv[1]) || !lingpick.ReadFile(argv[2])) {
        std::fprintf(stderr, "cd_paths: %s%s\n", launcher.error().c_str(),
                     lingpick.error().c_str());
        return 2;
    }
    return LauncherPaths(launcher, lingpick);
}
