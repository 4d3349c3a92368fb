#include "launcher_cd.h"

#include <vector>

using namespace qlh;

const Language kLanguages[3] = {
    {"English", "-0009", "0009"},
    {"Spanish", "-000a", "000A"},
    {"French", "-000c", "000C"},
};

std::string ShippedLauncherExe()
{
    return WindowsPathOfUnix(QL_LAUNCHER_EXE);
}
std::string VariantLauncherExe()
{
    return WindowsPathOfUnix(QL_LAUNCHER_VARIANT_EXE);
}

std::string ReaderExe(int major)
{
    switch (major) {
    case 4:
        return WindowsPathOfUnix(QL_READER_V4_EXE);
    case 3:
        return WindowsPathOfUnix(QL_READER_V3_EXE);
    default:
        return WindowsPathOfUnix(QL_READER_NONE_EXE);
    }
}

std::string ScreenshotPath(const std::string &name)
{
    std::string folder = WindowsPathOfUnix(QL_SCREENSHOT_DIR);
    MakeDirectories(folder);
    return folder + "\\" + name;
}

std::string Ansi(const char *utf8)
{
    int wide = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::vector<wchar_t> w(static_cast<size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), wide);
    int narrow = WideCharToMultiByte(CP_ACP, 0, w.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> n(static_cast<size_t>(narrow));
    WideCharToMultiByte(CP_ACP, 0, w.data(), -1, n.data(), narrow, nullptr, nullptr);
    return n.data();
}

namespace {

const char *const kStartedPrograms[] = {
    "HD and CD-ROM\\0009\\Setup.exe", "HD and CD-ROM\\000A\\Setup.exe",
    "HD and CD-ROM\\000C\\Setup.exe", "Diskette Drive\\Setup.exe",
    "Utility\\Floppwright.exe",       "Utility\\Lingpick .exe",
};

const char *const kGuides[] = {
    "0009\\How to Make a CD with VelmoraCD .pdf",
    "0009\\The Quellorn UDF User's Guide .pdf",
    "000A\\Creación de discos CD con VelmoraCD .pdf",
    "000A\\Manual del usuario de Quellorn UDF .pdf",
    "000C\\Créer un CD à l'aide de VelmoraCD .pdf",
    "000C\\Guide de l'utilisateur de Quellorn UDF .pdf",
};

} // namespace

LauncherCd::LauncherCd(const std::string &launcherExe) : root_(dir_.Path())
{
    CopyFileA(launcherExe.c_str(), Path("Setup.exe").c_str(), FALSE);
    for (const char *program : kStartedPrograms)
        InstallRecorder(Path(program));
    for (const char *guide : kGuides) {
        std::string path = Path("User's Guides\\" + Ansi(guide));
        MakeDirectories(path.substr(0, path.rfind('\\')));
        WriteWholeFile(path, "%PDF-1.3\n%%EOF\n");
    }
}

LauncherCd::LauncherCd(const LauncherCd &cd, const std::string &root) : root_(root), copied_(true)
{
    RemoveTree(root_);
    CopyTree(cd.Root(), root_);
}

LauncherCd::~LauncherCd()
{
    if (copied_)
        RemoveTree(root_);
}

bool StartLauncher(RunningLauncher &run, const LauncherCd &cd, const std::string &args)
{
    if (!run.process.Start(cd.Path("Setup.exe"), args))
        return false;
    run.menu = WaitForWindow(WindowQuery{"Setup", nullptr, run.process.Pid()}, 10000);
    if (run.menu == nullptr)
        return false;
    run.notice = WaitForDialog(run.process.Pid(), nullptr, 10000);
    return run.notice != nullptr;
}

bool DismissNotice(RunningLauncher &run)
{
    PressDialogButton(run.notice, IDOK);
    return WaitWindowGone(run.notice) && WaitEnabled(run.menu);
}
