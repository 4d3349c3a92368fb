// Logs the DrawTextA and PlaySoundA calls of another program: what it
// writes on screen and which sounds it plays; it can also make the program's
// own path too long to read. A WH_GETMESSAGE hook brings
// call_log.dll into the program, which redirects the program's own imports
// of DrawTextA and GetProcAddress through a log in a named shared section.
// While attached, the program's CreateProcessA (and WinExec) refuses a program whose
// manifest asks to run as administrator with ERROR_ELEVATION_REQUIRED, as
// Windows Vista and later do.
#ifndef QL_CALL_LOG_H
#define QL_CALL_LOG_H

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

struct LoggedCall {
    int kind;         // CallDrawText or CallPlaySound (call_log_shared.h)
    HWND window;      // DrawTextA: the window drawn into
    unsigned flags;   // DrawTextA: the format; PlaySoundA: the flags
    std::string text; // DrawTextA: the text; PlaySoundA: "#id" or the name
};

class CallLog {
public:
    CallLog();
    ~CallLog();
    CallLog(const CallLog &) = delete;
    CallLog &operator=(const CallLog &) = delete;

    // Hooks the thread that owns `window` and waits until its program logs.
    bool Attach(HWND window);
    void Clear();
    std::vector<LoggedCall> Calls() const;
    // The texts drawn into `window` with exactly this DrawText format.
    std::vector<std::string> Drawn(HWND window, unsigned format) const;
    // How many times the sound resource "#id" was played with these flags.
    int Played(const char *sound, unsigned flags) const;
    // From now on the program's own path does not fit any buffer it reads
    // it into, as for a path of 260 characters or more, where Wine cannot
    // start a program.
    void CutModulePath();

private:
    HANDLE mapping_ = nullptr;
    struct CallLogSection *section_ = nullptr;
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
};

#endif
