// Pixels of other processes' windows, read from the screen: under Wine
// neither PrintWindow nor the DC of a foreign window gives their contents.

#include "wine_harness.h"

#include <cstdio>

namespace qlh {

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

COLORREF ClientPixel(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return ScreenPixel(point.x, point.y);
}

bool WaitClientPixel(HWND window, int x, int y, COLORREF expected,
                     DWORD timeout_ms, COLORREF* last)
{
    COLORREF color = CLR_INVALID;
    bool ok = WaitUntil([&] {
        color = ClientPixel(window, x, y);
        return color == expected;
    }, timeout_ms);
    if (last)
        *last = color;
    return ok;
}

std::string ColorName(COLORREF color)
{
    char name[16];
    snprintf(name, sizeof name, "#%02x%02x%02x", GetRValue(color),
             GetGValue(color), GetBValue(color));
    return name;
}

bool SaveScreenshot(HWND window, const std::string& bmp_path)
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window)
        area = WindowRectOnScreen(window);
    return SaveScreenRect(area, bmp_path);
}

bool SaveScreenRect(const RECT& area, const std::string& bmp_path)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (dib) {
        HGDIOBJ old = SelectObject(memory, dib);
        ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top,
                    SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!ok) {
        if (dib)
            DeleteObject(dib);
        return false;
    }

    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD image_size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof bmi.bmiHeader;
    file.bfSize = file.bfOffBits + image_size;
    bmi.bmiHeader.biSizeImage = image_size;
    std::string contents(reinterpret_cast<const char*>(&file), sizeof file);
    contents.append(reinterpret_cast<const char*>(&bmi.bmiHeader), sizeof bmi.bmiHeader);
    contents.append(static_cast<const char*>(bits), image_size);
    DeleteObject(dib);
    return WriteWholeFile(bmp_path, contents);
}

}  // namespace qlh
