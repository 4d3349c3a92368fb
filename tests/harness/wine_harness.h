// Helpers for the Wine test drivers: start a program of ours in a job
// object, find its windows, read their text, poke them with messages, read
// screen pixels, save screenshots, set up registry fixtures and read the log
// of the recorder program.
//
// A driver is a GoogleTest executable of the win64 build, registered with
// ql_add_wine_test() and run by tools/run-wine-tests.sh inside one Xvfb
// display with one persistent wineserver. Typical use:
//
//   #include "wine_harness.h"
//   using namespace qlh;
//
//   TEST(Menu, EscapeEndsTheLauncher) {
//       ClearRecorderLog();
//       Process menu;
//       ASSERT_TRUE(menu.Start(CdPath("Setup.exe"), "-000a"));
//       HWND w = WaitForWindow(WindowQuery{"Setup", nullptr, menu.Pid()});
//       ASSERT_NE(w, nullptr);
//       EXPECT_EQ(WindowText(w), Ansi("Instalación de Quellorn"));
//       KeyPress(w, VK_ESCAPE);
//       DWORD code = 1;
//       EXPECT_TRUE(menu.WaitExit(5000, &code));
//       EXPECT_EQ(code, 0u);
//   }                          // ~Process closes the job: nothing survives
//
// Where things are
//   The fake CD is drive D: (a "cdrom" drive of the prefix), laid out by
//   tools/cd-tree.py from tools/cd-layout.txt: the win64 programs at their
//   places, recorders at every other program path.  Drive A: is a folder
//   registered as "floppy".  A test that must change the CD copies it first
//   (CopyTree(CdRoot(), tmp.Path()) and runs the copy).
//
// Languages
//   Wine takes the system and the user default language of a process from
//   the Unix environment of the `wine` command, LC_ALL only (LANG alone does
//   not reach GetSystemDefaultLangID on a machine without those locales), and
//   GetUserDefaultLangID always equals GetSystemDefaultLangID.  A child
//   process inherits the driver's language; changing the driver's own
//   environment before CreateProcess changes nothing.  So one driver is
//   registered once per language:
//
//     ql_add_wine_test(launcher_wine SOURCES ... DEPENDS launcher
//                      LANGUAGES en es fr)
//
//   registers launcher_wine.en, launcher_wine.es and launcher_wine.fr, each
//   with LC_ALL and LANG set (en_US, es_ES, fr_FR, all .UTF-8).  Test suites
//   whose name ends in "_es" or "_fr" run in that language only
//   (TEST(Menu_es, Title)); every other suite runs once, in the first
//   language of the list.  Without LANGUAGES a driver runs in English.
//   SystemLanguage() tells a test which language it runs in.
//
// Palette display
//   Tests labelled "palette" (set_tests_properties(... LABELS "wine;palette"))
//   run after the others in an 8-bit Xvfb display of their own, where Wine
//   reports RC_PALETTE with 256 entries; QL_SCREEN_DEPTH tells a test which
//   display it runs in ("24" or "8").
//
// Windows version
//   SetWindowsVersion("win98") (or "nt40", "winxp"...) sets what
//   GetVersionExA reports to programs started afterwards; pass an exe name
//   to set it for that program only.  ScopedWindowsVersion restores it.

#ifndef QL_WINE_HARNESS_H
#define QL_WINE_HARNESS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qlh {

// ---- places -------------------------------------------------------------

// Root of the fake CD with a trailing backslash ("D:\").
std::string CdRoot();
// CdRoot() + relative path ("Utility\\Lingpick .exe").
std::string CdPath(const std::string &relative);
// Root of the floppy drive ("A:\"); a plain folder under Wine.
std::string FloppyRoot();
// Gives drive A: (the build's floppy folder) that type; DRIVE_NO_ROOT_DIR
// takes the letter away. True when GetDriveTypeA then reports it.
bool SetTypeOfDriveA(DWORD type);
// The recorder program of the win64 build (a Windows path).
std::string RecorderExe();
// The tiny test-window program of the win64 build (used by the self-test).
std::string TestWindowExe();
// UTF-8 text (as this source code is written) in the ANSI code page, as
// the programs' windows hold it and WindowText returns it.
std::string Ansi(const std::string &utf8);
// Converts a Unix path to the Windows path Wine maps it to (Z: drive).
std::string WindowsPathOfUnix(const std::string &unix_path);
// The language id this driver (and its children) run with.
LANGID SystemLanguage();

// ---- processes ----------------------------------------------------------

// A started program, inside its own job object: destroying the Process (or
// Kill) ends it together with everything it started.
class Process {
public:
    Process();
    ~Process();
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;

    // Starts `exe` with `args` appended to its quoted path; `workdir` empty
    // means the driver's current folder.
    bool Start(const std::string &exe, const std::string &args = "",
               const std::string &workdir = "");
    // Starts a complete command line as it is (nothing quoted for you).
    bool StartCommandLine(const std::string &command_line, const std::string &workdir = "");
    // Waits for the process to end; true if it did within timeout_ms.
    bool WaitExit(DWORD timeout_ms, DWORD *exit_code = nullptr);
    // Still running?
    bool Running() const;
    // Exit code of an ended process (STILL_ACTIVE while it runs).
    DWORD ExitCode() const;
    // Ends the process and everything in its job, and returns once all of
    // them have ended and their windows are gone.
    void Kill();
    // Number of processes still alive in the job (the program and all it
    // started that are still running).
    int JobProcessCount() const;
    // Number of processes ever started in the job, the program included:
    // counts a started program that has already ended as well.
    int JobProcessesStarted() const;

    DWORD Pid() const { return pid_; }
    // The thread that runs the program's WinMain, which makes its windows.
    DWORD MainThreadId() const { return main_thread_id_; }
    HANDLE Handle() const { return process_; }

private:
    static const DWORD kEndTimeoutMs = 10000;
    // Ids of the processes alive in the job.
    std::vector<DWORD> JobPids() const;

    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    DWORD main_thread_id_ = 0;
};

// ---- waiting ------------------------------------------------------------

// Every wait for a state takes its timeout times QL_WAIT_SCALE (4 unless
// set): a timeout only bounds a failing test, and on a loaded machine a
// Wine program can take seconds to show its first window.  A passing test
// waits no longer for it.
DWORD Patient(DWORD timeout_ms);

// Polls `condition` every 10 ms until it holds or Patient(timeout_ms) has
// passed.
bool WaitUntil(const std::function<bool()> &condition, DWORD timeout_ms);
// The same for exactly timeout_ms, unscaled: for watching that a state
// does not come.
bool Poll(const std::function<bool()> &condition, DWORD timeout_ms);
// For checks that something does NOT happen: watches for observe_ms that
// the process starts nothing (no new process in its job, an empty recorder
// log).  The one fixed wait a test may have, since an absence has no state
// to wait for.
bool StartsNothingWithin(const Process &process, DWORD observe_ms);

// ---- windows ------------------------------------------------------------

// Which top-level window: every given field must match.  Null strings and a
// zero pid match anything.
struct WindowQuery {
    const char *class_name = nullptr; // exact, case-insensitive
    const char *title = nullptr;      // exact (read with WM_GETTEXT)
    DWORD pid = 0;                    // owning process
    bool visible_only = true;
};

// All top-level windows that match, in Z order.
std::vector<HWND> FindTopWindows(const WindowQuery &query);
// First matching top-level window, polling until timeout_ms; null if none.
HWND WaitForWindow(const WindowQuery &query, DWORD timeout_ms = 5000);
// Waits until the window is destroyed.
bool WaitWindowGone(HWND window, DWORD timeout_ms = 5000);
bool WaitVisible(HWND window, DWORD timeout_ms = 5000);
bool WaitEnabled(HWND window, bool enabled = true, DWORD timeout_ms = 5000);
// Waits until WindowText(window) == text.
bool WaitText(HWND window, const std::string &text, DWORD timeout_ms = 5000);

// All descendants of parent (EnumChildWindows order).
std::vector<HWND> ChildWindows(HWND parent);
// The first descendant with that control id; null if none.
HWND FindChild(HWND parent, int control_id);
// The index-th descendant of that class (0 = first); null if none.
HWND FindChildByClass(HWND parent, const char *class_name, int index = 0);
// The first descendant whose text equals text; null if none.
HWND FindChildByText(HWND parent, const std::string &text);

// Text of any window, also of another process (WM_GETTEXT).
std::string WindowText(HWND window);
std::string ClassName(HWND window);
DWORD WindowPid(HWND window);
// Client rectangle in screen coordinates.
RECT ClientRectOnScreen(HWND window);
RECT WindowRectOnScreen(HWND window);

// ---- input --------------------------------------------------------------
// Everything goes through PostMessage/SendMessage to the given window; the
// SendMessage variants wait until the window has handled the message.

// BM_CLICK on a button (sent).
void ClickButton(HWND button);
// WM_LBUTTONDOWN + WM_LBUTTONUP at client coordinates (posted).
void ClickAt(HWND window, int x, int y);
// WM_MOUSEMOVE at client coordinates (posted), preceded by WM_SETCURSOR.
void MouseMove(HWND window, int x, int y);
// WM_KEYDOWN and WM_KEYUP (posted), as a keyboard queues them: the
// target's TranslateMessage turns the key down into its WM_CHAR.
void KeyPress(HWND window, UINT vk);
// Only WM_KEYDOWN (posted).
void KeyDown(HWND window, UINT vk);
// WM_CHAR alone (posted).
void TypeChar(HWND window, char c);
// Alt+key: WM_SYSKEYDOWN/WM_SYSKEYUP with the context bit set; the
// target's TranslateMessage makes the WM_SYSCHAR.
void AltKey(HWND window, char key);
// WM_SYSCOMMAND (posted), e.g. SC_CLOSE, SC_MINIMIZE.
void SysCommand(HWND window, WPARAM command);
// WM_COMMAND (posted) as a control would send it.
void Command(HWND window, WORD id, WORD notification = 0, HWND control = nullptr);
// Real input through SendInput, for what posted messages cannot fake: the
// key state a program reads with GetKeyState (Shift+Tab, Alt), and pointer
// tracking.  It goes to the foreground window, so activate the target first.
bool ActivateWindow(HWND window, DWORD timeout_ms = 3000);
void SendKey(UINT vk, bool shift = false, bool ctrl = false, bool alt = false);
// Moves the real pointer to screen coordinates.
void SendMouseMove(int screen_x, int screen_y);
// Moves the real pointer to client coordinates of window and clicks there.
void SendMouseClick(HWND window, int x, int y);
// Waits until the target's thread is back in its message loop, done with
// what it was handling. Messages posted to it before may still be waiting:
// a sent message is taken ahead of everything posted.
bool Sync(HWND window, DWORD timeout_ms = 5000);

// ---- dialogs and message boxes -----------------------------------------

struct DialogInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;                 // the message text (static id 0xFFFF),
                                      // else all static texts joined by "\n"
    std::vector<std::string> buttons; // texts of the push buttons
};

// Waits for a dialog box (class "#32770") of that process, optionally with
// that caption; fills *info (if given) and returns it.
HWND WaitForDialog(DWORD pid, const char *caption = nullptr, DWORD timeout_ms = 5000,
                   DialogInfo *info = nullptr);
// Reads caption, message text and buttons of a dialog.
DialogInfo ReadDialog(HWND dialog);
// Presses the dialog's button with that id (IDOK, IDYES, ...) by BM_CLICK,
// or, when there is no such control, posts WM_COMMAND with the id.
void PressDialogButton(HWND dialog, int id);

// ---- pixels and screenshots --------------------------------------------
// Foreign windows can only be read through the screen DC under Wine.

COLORREF ScreenPixel(int x, int y);
// Pixel at client coordinates of window, read from the screen.
COLORREF ClientPixel(HWND window, int x, int y);
// Polls until ClientPixel == expected; *last (if given) gets the last value.
bool WaitClientPixel(HWND window, int x, int y, COLORREF expected, DWORD timeout_ms = 3000,
                     COLORREF *last = nullptr);
// All pixels of a screen rectangle in one copy, row by row from the top
// (width * height entries); far quicker than GetPixel per pixel.
bool ScreenPixels(const RECT &area, std::vector<COLORREF> *pixels);
// The same for a rectangle in window's client coordinates.
bool ClientPixels(HWND window, const RECT &client_area, std::vector<COLORREF> *pixels);
// Waits until the window's picture on the screen has settled: two reads of
// it, with the window's thread synchronised between them, are the same.
bool WaitPainted(HWND window, DWORD timeout_ms = 5000);
// Saves a window's screen area (window null: the whole screen) as a 24-bit
// BMP file.  Waits for nothing: call WaitPainted first.
bool SaveScreenshot(HWND window, const std::string &bmp_path);
// The same for any rectangle of the screen (screen coordinates).
bool SaveScreenRect(const RECT &area, const std::string &bmp_path);
// "#rrggbb" for messages.
std::string ColorName(COLORREF color);

// ---- registry -----------------------------------------------------------
// `key` is a full path starting with the root: "HKCR\\.htm",
// "HKEY_CURRENT_USER\\Software\\Wine\\Version", "HKLM\\..."; default value
// has the empty name.

bool RegSetString(const std::string &key, const std::string &name, const std::string &value);
bool RegSetDword(const std::string &key, const std::string &name, DWORD value);
bool RegGetString(const std::string &key, const std::string &name, std::string *value);
bool RegRemoveValue(const std::string &key, const std::string &name);
// Deletes the key with all its subkeys; true also when it did not exist.
bool RegRemoveKey(const std::string &key);
bool RegKeyExists(const std::string &key);

// Saves a key (with subkeys and values) and puts it back as it was on
// destruction, so a test can change fixtures freely.
class ScopedRegistryKey {
public:
    explicit ScopedRegistryKey(const std::string &key);
    ~ScopedRegistryKey();
    ScopedRegistryKey(const ScopedRegistryKey &) = delete;
    ScopedRegistryKey &operator=(const ScopedRegistryKey &) = delete;

private:
    struct Value {
        std::string sub, name;
        DWORD type;
        std::string data;
    };
    std::string key_;
    bool existed_ = false;
    std::vector<std::string> subkeys_; // relative, parents first
    std::vector<Value> values_;
};

// The fixtures the template prefix starts with (tools/prefix-fixtures.reg):
// the web browser (HKCR\http\shell\open\command), the .htm class and the
// RPC TCP/IP client protocol, all pointing at the recorder.  Call to reset
// them after a test changed them.
void InstallWebFixtures();
// Registers a PDF reader: HKCR\.pdf = AcroExch.Document and
// HKCR\AcroExch.Document\shell\open\command = "<exe>" "%1".
void RegisterPdfReader(const std::string &reader_exe);
void UnregisterPdfReader();

// Sets HKCU\Software\Wine\Version (or AppDefaults\<exe>\Version when exe is
// given) to "win95", "win98", "winme", "nt40", "win2k", "winxp"...; an empty
// version removes the value.
void SetWindowsVersion(const std::string &version, const std::string &exe = "");

class ScopedWindowsVersion {
public:
    explicit ScopedWindowsVersion(const std::string &version, const std::string &exe = "");
    ~ScopedWindowsVersion();

private:
    std::string exe_;
    std::string previous_;
    bool had_previous_ = false;
};

// ---- files --------------------------------------------------------------

// A fresh empty folder under %TEMP%, deleted with all contents on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    // With a trailing backslash.
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &relative) const { return path_ + relative; }

private:
    std::string path_;
};

bool FileExists(const std::string &path);
bool DirectoryExists(const std::string &path);
// File attributes, INVALID_FILE_ATTRIBUTES if missing.
DWORD FileAttributes(const std::string &path);
bool ReadWholeFile(const std::string &path, std::string *contents);
bool WriteWholeFile(const std::string &path, const std::string &contents);
// Creates the folder and its parents.
bool MakeDirectories(const std::string &path);
// Names in a folder (not "." and ".."), sorted; folders end in "\".
std::vector<std::string> ListDirectory(const std::string &path);
// Copies a file or folder tree; creates the target's parents.
bool CopyTree(const std::string &from, const std::string &to);
// Deletes a file or a folder tree (clearing read-only attributes first).
bool RemoveTree(const std::string &path);
// Copies the recorder to `path` (making folders): the program at that path
// then records its starts.
bool InstallRecorder(const std::string &path);

// ---- recorder log -------------------------------------------------------
// Every recorder start appends one line "<module path>\t<command line>".

// Wine passes an unquoted command line whose program path holds blanks
// ("D:\HD and CD-ROM\0009\Setup.exe") on with that path quoted, so compare
// such lines with both forms or look at `module`.
struct RecorderEntry {
    std::string module;       // GetModuleFileNameA of the recorder copy
    std::string command_line; // GetCommandLineA, whole
};

// The log file (QL_RECORDER_LOG, else %TEMP%\ql-recorder.log); the harness
// sets QL_RECORDER_LOG for its children at start-up.
std::string RecorderLogPath();
std::vector<RecorderEntry> ReadRecorderLog();
void ClearRecorderLog();
// Waits until the log holds at least `count` entries; returns them.
std::vector<RecorderEntry> WaitRecorderEntries(size_t count, DWORD timeout_ms = 5000);

} // namespace qlh

#endif
