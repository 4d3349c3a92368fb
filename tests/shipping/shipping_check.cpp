// Runs the three shipping programs from the CD in drive D: and checks each
// the way a user meets it: its first window or dialog opens with the title
// and the first texts of the session's language, a user closes it, and the
// program ends with exit code 0.  The launcher also starts a setup from its
// menu, where the CD holds a recorder, which proves the command line a
// 32-bit launcher builds.
//
// A console program of the win32 build: it runs in the same 32-bit Wine as
// the programs.  tools/shipping/run.sh starts it once per language (Wine
// takes a process's language from LC_ALL of the `wine` command only).
// Prints one line per check; exit code 0 when all passed, else 1.
//
// Under emulation a program start may take minutes on a busy machine, so
// the waits are long: each timeout below is multiplied by QL_WAIT_SCALE
// (run.sh passes it on, 4 unless set), and each wait ends as soon as the
// state it waits for is there.  Every line carries the seconds since the
// driver started, which shows where a run's time goes.

#include <cstdio>
#include <string>
#include <vector>

#include "wine_harness.h"

using namespace qlh;

namespace {

const DWORD kStartTimeout = 150 * 1000; // a program's first window
const DWORD kStepTimeout = 60 * 1000;   // one answer of a running program

// Control ids of the programs' resource scripts.
const int kNoticeText = 1031;     // launcher: the start-up notice's text
const int kHardDriveButton = 0;   // launcher: first menu button
const int kProductHeading = 1021; // Floppwright: product dialog heading
const int kLanguageList = 1001;   // Lingpick
const int kPrompt = 1002;         // Lingpick

// The texts a user of each language sees first (UTF-8, as the resource
// scripts hold them).
struct Texts {
    const char *code; // as run.sh names the session
    LANGID language;
    const char *name;
    const char *menu_title;
    const char *notice;
    const char *setup_folder; // where the Hard Drive button leads
    const char *maker_title;
    const char *maker_heading;
    const char *picker_prompt;
    const char *picker_entry;
    // One click proves the command line a 32-bit launcher builds; the
    // folder per language is the Wine tests' concern, so the other
    // language saves the recorder's emulated start.
    bool starts_setup;
};

const Texts kTexts[] = {
    {"en", LANG_ENGLISH, "English", "Quellorn Setup",
     "This program can install software for various Quellorn drives.\n\n"
     "To begin the installation now select your product in the next screen.",
     "0009", "Floppwright                         ", "Select your product",
     "Select the language for this installation from the choices below.", "English", true},
    {"fr", LANG_FRENCH, "French", "Configuration Quellorn",
     "Ce programme vous permet d'installer des logiciels pour divers lecteurs Quellorn.\n\n"
     "Pour lancer l'installation, sélectionnez votre produit dans l'écran suivant.",
     "000C", "Setup Disquette                             ", "Choisissez votre produit",
     "Sélectionnez la langue d'installation de la liste ci-dessous.", "Français", false},
};

int failures = 0;
const DWORD started_at = GetTickCount();

void Say(const std::string &line)
{
    std::printf("[%4lus] %s\n", static_cast<unsigned long>((GetTickCount() - started_at) / 1000),
                line.c_str());
    std::fflush(stdout);
}

bool Check(bool ok, const std::string &what, const std::string &seen = "")
{
    Say(std::string(ok ? "ok   " : "FAIL ") + what + (ok || seen.empty() ? "" : ": got " + seen));
    if (!ok)
        ++failures;
    return ok;
}

// The log is UTF-8, like the expected texts; windows hold the ANSI code page.
std::string Utf8(const std::string &ansi)
{
    int wide_length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                        wide_length);
    int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

// Waits for the text rather than reading it once: under emulation on a busy
// machine a program may take longer to answer WM_GETTEXT than one read
// waits for.
bool CheckText(HWND window, const char *expected_utf8, const std::string &what)
{
    bool ok = window != nullptr && WaitText(window, Ansi(expected_utf8), kStepTimeout);
    return Check(ok, what + " \"" + expected_utf8 + "\"", "\"" + Utf8(WindowText(window)) + "\"");
}

bool EndsWithZero(Process &process, const std::string &program)
{
    DWORD code = 1;
    bool ended = process.WaitExit(kStepTimeout, &code);
    return Check(ended && code == 0, program + " ends with exit code 0",
                 ended ? std::to_string(code) : "still running");
}

// The Hard Drive button starts the setup of the language's folder, on the
// CD a recorder, by its quoted path.
void CheckHardDriveButton(HWND menu, const Texts &t)
{
    ClickButton(FindChild(menu, kHardDriveButton));
    std::vector<RecorderEntry> started = WaitRecorderEntries(1, kStartTimeout);
    std::string setup = CdPath(std::string("HD and CD-ROM\\") + t.setup_folder + "\\Setup.exe");
    if (Check(started.size() == 1, "the Hard Drive button starts one program")) {
        Check(started[0].module == setup, "it is " + setup, started[0].module);
        Check(started[0].command_line == "\"" + setup + "\"", "its command line is the quoted path",
              started[0].command_line);
    }
}

// Menu and notice; OK on the notice; the Hard Drive button (in one
// language); Esc ends the menu.
void CheckLauncher(const Texts &t)
{
    ClearRecorderLog();
    Process menu;
    if (!Check(menu.Start(CdPath("Setup.exe")), "launcher starts"))
        return;
    HWND window = WaitForWindow(WindowQuery{"Setup", nullptr, menu.Pid()}, kStartTimeout);
    if (!Check(window != nullptr, "launcher opens its menu"))
        return;
    CheckText(window, t.menu_title, "menu title");
    HWND notice = WaitForDialog(menu.Pid(), nullptr, kStepTimeout);
    if (!Check(notice != nullptr, "launcher shows its start-up notice"))
        return;
    CheckText(FindChild(notice, kNoticeText), t.notice, "notice text");
    PressDialogButton(notice, IDOK);
    Check(WaitWindowGone(notice, kStepTimeout) && WaitEnabled(window, true, kStepTimeout),
          "OK closes the notice and enables the menu");

    if (t.starts_setup)
        CheckHardDriveButton(window, t);
    // Esc, not the Exit button: under emulation the click sound that a
    // button press starts (PlaySound, asynchronous) can still be setting
    // up when the process ends, and Wine's exit then waited for good in
    // one of our runs.
    KeyPress(window, VK_ESCAPE);
    EndsWithZero(menu, "launcher");
}

// Floppwright is started as a user without a diskette drive starts it,
// with -image: its first dialog is then the product choice, without the
// drive gate.  The gate asks Wine's mount manager, which runs in a
// multi-threaded helper process of the session, and qemu 7.2 crashes or
// hangs such processes at random (it gives all threads of a process one
// GDT, so a thread that reloads its TLS segments after a signal may get
// another thread's), so a check through the gate would prove the emulator
// more than the program.  The Wine tests of the win64 build cover the gate.
// Cancel in the product dialog ends Floppwright.
void CheckFloppwright(const Texts &t)
{
    Process maker;
    if (!Check(maker.Start(CdPath("Utility\\Floppwright.exe"), "-image"),
               "Floppwright -image starts"))
        return;
    HWND window = WaitForWindow(WindowQuery{"QLMakeDisk", nullptr, maker.Pid()}, kStartTimeout);
    DialogInfo first;
    HWND product = window ? WaitForDialog(maker.Pid(), nullptr, kStepTimeout, &first) : nullptr;
    // Name the dialog that came instead, if any, rather than miss a heading.
    if (!Check(product != nullptr && FindChild(product, kProductHeading) != nullptr,
               "Floppwright opens its product dialog", Utf8(first.caption + ": " + first.text)))
        return;
    CheckText(product, t.maker_title, "product dialog title");
    CheckText(FindChild(product, kProductHeading), t.maker_heading, "product dialog heading");
    PressDialogButton(product, IDCANCEL);
    EndsWithZero(maker, "Floppwright");
}

// Lingpick's language dialog with the user's language preselected; Cancel.
void CheckLingpick(const Texts &t)
{
    Process picker;
    if (!Check(picker.Start(CdPath("Utility\\Lingpick .exe")), "Lingpick starts"))
        return;
    HWND dialog = WaitForDialog(picker.Pid(), "Acrobat Setup", kStartTimeout);
    if (!Check(dialog != nullptr, "Lingpick opens its dialog \"Acrobat Setup\""))
        return;
    CheckText(FindChild(dialog, kPrompt), t.picker_prompt, "prompt");
    CheckText(FindChild(dialog, kLanguageList), t.picker_entry, "preselected language");
    PressDialogButton(dialog, IDCANCEL);
    EndsWithZero(picker, "Lingpick");
}

} // namespace

// shipping_check.exe en|fr: the language the session was started in.
int main(int argc, char **argv)
{
    const Texts *texts = nullptr;
    for (const Texts &t : kTexts)
        if (argc == 2 && lstrcmpA(argv[1], t.code) == 0)
            texts = &t;
    if (!texts) {
        std::printf("usage: ql_shipping_check en|fr\n");
        return 2;
    }
    const Texts &t = *texts;
    std::printf("shipping programs from %s in %s\n", CdRoot().c_str(), t.name);
    // Else a session that fell back to English would pass the French run.
    if (Check(PRIMARYLANGID(SystemLanguage()) == t.language,
              std::string("Wine runs the session in ") + t.name)) {
        CheckLauncher(t);
        CheckFloppwright(t);
        CheckLingpick(t);
    }
    std::printf("%s: %d failed\n", t.name, failures);
    return failures == 0 ? 0 : 1;
}
