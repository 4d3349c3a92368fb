// A throw-away CD for the launcher tests: a launcher build at its root as
// Setup.exe, recorders at every program it starts, and empty PDF guides.
#pragma once

#include <string>

#include "wine_harness.h"

// The launcher builds under test and the stand-in PDF readers, as Windows
// paths.
std::string ShippedLauncherExe();
std::string VariantLauncherExe();
std::string ReaderExe(int major); // 4, 3, or 0 for none
// build/screenshots, made on first use.
std::string ScreenshotPath(const std::string &name);

// UTF-8 text as the programs read it in the ANSI code page.
std::string Ansi(const char *utf8);

class LauncherCd {
public:
    explicit LauncherCd(const std::string &launcherExe);
    // A copy of `cd` at `root` (with a trailing backslash), as a CD copied
    // to a hard disk; removed again with this object.
    LauncherCd(const LauncherCd &cd, const std::string &root);
    ~LauncherCd();
    LauncherCd(const LauncherCd &) = delete;
    LauncherCd &operator=(const LauncherCd &) = delete;
    // With a trailing backslash.
    const std::string &Root() const { return root_; }
    std::string Path(const std::string &relative) const { return root_ + relative; }

private:
    qlh::TempDir dir_;
    std::string root_;
    bool copied_ = false;
};

// A running launcher with its notice.
struct RunningLauncher {
    qlh::Process process;
    HWND menu = nullptr;
    HWND notice = nullptr;
};

// Starts Setup.exe of cd with args and waits for the menu and its notice.
bool StartLauncher(RunningLauncher &run, const LauncherCd &cd, const std::string &args);
// Closes the notice with OK and waits until the menu is enabled again.
bool DismissNotice(RunningLauncher &run);

// The three languages, as the launcher's command line selects them.
struct Language {
    const char *name;
    const char *arg;    // "-0009", "-000a", "-000c"
    const char *folder; // "0009", "000A", "000C"
};
extern const Language kLanguages[3];
