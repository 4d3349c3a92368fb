// The shared section between the driver and the hook DLL.
#ifndef QL_CALL_LOG_SHARED_H
#define QL_CALL_LOG_SHARED_H

#include <windows.h>

#define QL_CALL_LOG_MAPPING "QlCallLog"

enum CallKind { CallDrawText = 1, CallPlaySound = 2 };

struct CallEntry {
    volatile LONG ready; // set last, once the entry is whole
    LONG kind;           // CallKind
    LONGLONG window;     // DrawTextA: the window of the DC
    ULONGLONG value;     // DrawTextA: its format; PlaySoundA: its flags
    char text[260];      // DrawTextA: the text; PlaySoundA: "#id" or the name
};

enum { CallLogCapacity = 1024 };

struct CallLogSection {
    volatile LONG driverPid;     // the driver loads the DLL too: it is left alone
    volatile LONG hookedPid;     // the program whose imports were redirected
    volatile LONG count;         // entries claimed so far
    volatile LONG cutModulePath; // GetModuleFileNameA answers "buffer full"
    CallEntry entries[CallLogCapacity];
};

#endif
