// Loaded by the system into the hooked program: it redirects the main
// module's imports of DrawTextA, and the PlaySoundA that the program looks
// up with GetProcAddress, through functions that log each call to the
// shared section, then do what was asked. On request it also answers
// GetModuleFileNameA as for a path too long for the buffer. And it makes
// the program's CreateProcessA follow the rule of Windows Vista and later,
// which Wine does not model: a program whose manifest asks to run as
// administrator is refused with ERROR_ELEVATION_REQUIRED.
#include <windows.h>

#include <string.h>

#include "call_log_shared.h"

namespace {

typedef int(WINAPI *DrawTextProc)(HDC, LPCSTR, int, LPRECT, UINT);
typedef BOOL(WINAPI *PlaySoundProc)(LPCSTR, HMODULE, DWORD);
typedef DWORD(WINAPI *ModuleFileNameProc)(HMODULE, LPSTR, DWORD);
typedef FARPROC(WINAPI *ProcAddressProc)(HMODULE, LPCSTR);
typedef UINT(WINAPI *WinExecProc)(LPCSTR, UINT);
typedef BOOL(WINAPI *CreateProcessProc)(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                        BOOL, DWORD, LPVOID, LPCSTR, LPSTARTUPINFOA,
                                        LPPROCESS_INFORMATION);

CallLogSection *section;
DrawTextProc realDrawText;
PlaySoundProc realPlaySound;
ModuleFileNameProc realModuleFileName;
ProcAddressProc realProcAddress;
CreateProcessProc realCreateProcess;
WinExecProc realWinExec;

CallEntry *Claim(CallKind kind)
{
    LONG n = InterlockedIncrement(&section->count) - 1;
    if (n >= CallLogCapacity)
        return nullptr;
    CallEntry *entry = &section->entries[n];
    entry->kind = kind;
    return entry;
}

void Copy(char *to, const char *from, int length)
{
    int n = 0;
    for (; from && n < 259 && (length < 0 ? from[n] != '\0' : n < length); n++)
        to[n] = from[n];
    to[n] = '\0';
}

int WINAPI LoggedDrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    if (CallEntry *entry = Claim(CallDrawText)) {
        entry->window = reinterpret_cast<LONGLONG>(WindowFromDC(dc));
        entry->value = format;
        Copy(entry->text, text, length);
        InterlockedExchange(&entry->ready, 1);
    }
    return realDrawText(dc, text, length, rect, format);
}

BOOL WINAPI LoggedPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    if (CallEntry *entry = Claim(CallPlaySound)) {
        entry->window = 0;
        entry->value = flags;
        if (IS_INTRESOURCE(sound))
            wsprintfA(entry->text, "#%u",
                      static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(sound)));
        else
            Copy(entry->text, sound, -1);
        InterlockedExchange(&entry->ready, 1);
    }
    return realPlaySound(sound, module, flags);
}

// What Windows does when the path does not fit: the buffer is filled, cut
// and terminated, and its whole size is returned.
DWORD WINAPI CuttableModuleFileName(HMODULE module, LPSTR buffer, DWORD size)
{
    DWORD length = realModuleFileName(module, buffer, size);
    if (!section->cutModulePath || size == 0)
        return length;
    for (DWORD i = length; i + 1 < size; i++)
        buffer[i] = 'd';
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

FARPROC WINAPI LoggedProcAddress(HMODULE module, LPCSTR name)
{
    FARPROC found = realProcAddress(module, name);
    if (!found || IS_INTRESOURCE(name) || strcmp(name, "PlaySoundA") != 0)
        return found;
    realPlaySound = reinterpret_cast<PlaySoundProc>(reinterpret_cast<void *>(found));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void *>(LoggedPlaySound));
}

// The program CreateProcessA would run: the application name, else the
// command line's first word, quoted or up to the first blank.
void ProgramOf(LPCSTR application, LPCSTR commandLine, char (&program)[MAX_PATH])
{
    program[0] = '\0';
    if (application) {
        lstrcpynA(program, application, MAX_PATH);
        return;
    }
    if (!commandLine)
        return;
    const char *p = commandLine;
    char end = *p == '"' ? *p++ : ' ';
    int n = 0;
    for (; *p && *p != end && n < MAX_PATH - 1; p++)
        program[n++] = *p;
    program[n] = '\0';
}

bool AsksForAdministrator(const char *program)
{
    HMODULE file = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file)
        return false;
    bool asks = false;
    if (HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const char *text = static_cast<const char *>(LockResource(LoadResource(file, found)));
        DWORD size = SizeofResource(file, found);
        const char kLevel[] = "requireAdministrator";
        for (DWORD i = 0; text && !asks && i + sizeof kLevel - 1 <= size; i++)
            asks = memcmp(text + i, kLevel, sizeof kLevel - 1) == 0;
    }
    FreeLibrary(file);
    return asks;
}

BOOL WINAPI ElevationCreateProcess(LPCSTR application, LPSTR commandLine,
                                   LPSECURITY_ATTRIBUTES process, LPSECURITY_ATTRIBUTES thread,
                                   BOOL inherit, DWORD flags, LPVOID environment, LPCSTR folder,
                                   LPSTARTUPINFOA start, LPPROCESS_INFORMATION started)
{
    char program[MAX_PATH];
    ProgramOf(application, commandLine, program);
    if (AsksForAdministrator(program)) {
        SetLastError(740); // ERROR_ELEVATION_REQUIRED
        return FALSE;
    }
    return realCreateProcess(application, commandLine, process, thread, inherit, flags, environment,
                             folder, start, started);
}

// WinExec goes through CreateProcess inside kernel32, out of reach of the
// redirect above; it reports a failure of CreateProcess beyond 31 as
// ERROR_BAD_FORMAT.
UINT WINAPI ElevationWinExec(LPCSTR commandLine, UINT show)
{
    char program[MAX_PATH];
    ProgramOf(nullptr, commandLine, program);
    if (AsksForAdministrator(program))
        return ERROR_BAD_FORMAT;
    return realWinExec(commandLine, show);
}

// Points the module's import slot of dll!name at replacement; returns what
// the slot held, or null when the module does not import it.
void *Redirect(HMODULE module, const char *dll, const char *name, void *replacement)
{
    BYTE *base = reinterpret_cast<BYTE *>(module);
    const IMAGE_NT_HEADERS *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return nullptr;
    for (const IMAGE_IMPORT_DESCRIPTOR *d =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         d->Name; d++) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + d->Name), dll) != 0)
            continue;
        const IMAGE_THUNK_DATA *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(
            base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
        IMAGE_THUNK_DATA *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; names++, slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const IMAGE_IMPORT_BY_NAME *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char *>(byName->Name), name) != 0)
                continue;
            DWORD protection;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            void *previous = reinterpret_cast<void *>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

void RedirectImports()
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, QL_CALL_LOG_MAPPING);
    if (!mapping)
        return;
    section = static_cast<CallLogSection *>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(CallLogSection)));
    CloseHandle(mapping);
    if (section && static_cast<DWORD>(section->driverPid) == GetCurrentProcessId()) {
        UnmapViewOfFile(section);
        section = nullptr;
    }
    if (!section)
        return;
    // The program's imports point here from now on: the DLL must stay when
    // the hook goes.
    HMODULE self;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&RedirectImports), &self);
    HMODULE program = GetModuleHandleA(nullptr);
    realDrawText = reinterpret_cast<DrawTextProc>(
        Redirect(program, "user32.dll", "DrawTextA", reinterpret_cast<void *>(LoggedDrawText)));
    realProcAddress = reinterpret_cast<ProcAddressProc>(Redirect(
        program, "kernel32.dll", "GetProcAddress", reinterpret_cast<void *>(LoggedProcAddress)));
    realCreateProcess = reinterpret_cast<CreateProcessProc>(
        Redirect(program, "kernel32.dll", "CreateProcessA",
                 reinterpret_cast<void *>(ElevationCreateProcess)));
    realWinExec = reinterpret_cast<WinExecProc>(
        Redirect(program, "kernel32.dll", "WinExec", reinterpret_cast<void *>(ElevationWinExec)));
    realModuleFileName = reinterpret_cast<ModuleFileNameProc>(
        Redirect(program, "kernel32.dll", "GetModuleFileNameA",
                 reinterpret_cast<void *>(CuttableModuleFileName)));
    InterlockedExchange(&section->hookedPid, static_cast<LONG>(GetCurrentProcessId()));
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        RedirectImports();
    return TRUE;
}

// The hook only brings the DLL into the program; it looks at nothing.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    CallLogHook(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
