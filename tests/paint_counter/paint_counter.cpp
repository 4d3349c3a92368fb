#include "paint_counter.h"

#include "paint_counter_shared.h"

// The build names the hook DLL by its Unix path; Wine reaches it through Z:.
static void HookDllPath(char *path, size_t size)
{
    const char *source = QL_PAINT_COUNTER_DLL;
    size_t n = 0;
    path[n++] = 'Z';
    path[n++] = ':';
    for (; *source && n + 1 < size; ++source)
        path[n++] = *source == '/' ? '\\' : *source;
    path[n] = '\0';
}

PaintCounter::PaintCounter()
{
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, PaintMappingSize,
                                  QL_PAINT_COUNTER_MAPPING);
    if (mapping_)
        shared_ = static_cast<volatile LONG *>(
            MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, PaintMappingSize));
}

PaintCounter::~PaintCounter()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (dll_)
        FreeLibrary(dll_);
    if (shared_)
        UnmapViewOfFile(const_cast<LONG *>(shared_));
    if (mapping_)
        CloseHandle(mapping_);
}

bool PaintCounter::Attach(HWND window)
{
    if (!shared_)
        return false;
    char *className = reinterpret_cast<char *>(const_cast<LONG *>(shared_)) + PaintClassOffset;
    if (!GetClassNameA(window, className, PaintClassSize))
        return false;
    Reset();
    char dllPath[MAX_PATH];
    HookDllPath(dllPath, sizeof dllPath);
    dll_ = LoadLibraryA(dllPath);
    if (!dll_)
        return false;
    HOOKPROC proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void *>(GetProcAddress(dll_, "PaintCounterHook")));
    DWORD thread = GetWindowThreadProcessId(window, NULL);
    hook_ = proc ? SetWindowsHookExA(WH_GETMESSAGE, proc, dll_, thread) : NULL;
    return hook_ != NULL;
}

void PaintCounter::Reset()
{
    if (shared_)
        InterlockedExchange(shared_ + PaintCountSlot, 0);
}

long PaintCounter::Count() const
{
    return shared_ ? shared_[PaintCountSlot] : -1;
}
