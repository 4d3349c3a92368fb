// Counts the WM_PAINT messages that the windows of one class in another
// process take from their queue, through a WH_GETMESSAGE hook that lives in
// paint_counter.dll. The count sits in a named shared section, so the driver
// reads it without talking to the program.
#ifndef QL_PAINT_COUNTER_H
#define QL_PAINT_COUNTER_H

#include <windows.h>

class PaintCounter {
public:
    PaintCounter();
    ~PaintCounter();
    PaintCounter(const PaintCounter &) = delete;
    PaintCounter &operator=(const PaintCounter &) = delete;

    // Hooks the thread that owns `window` and counts paints of windows of
    // that window's class; the count starts at 0.
    bool Attach(HWND window);
    void Reset();
    long Count() const;

private:
    HANDLE mapping_ = nullptr;
    volatile LONG *shared_ = nullptr;
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
};

#endif
