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

bool WaitClientPixel(HWND window, int x, int y, COLORREF expected, DWORD timeout_ms, COLORREF *last)
{
    COLORREF color = CLR_INVALID;
    bool ok = WaitUntil(
        [&] {
            color = ClientPixel(window, x, y);
            return color == expected;
        },
        timeout_ms);
    if (last)
        *last = color;
    return ok;
}

std::string ColorName(COLORREF color)
{
    char name[16];
    snprintf(name, sizeof name, "#%02x%02x%02x", GetRValue(color), GetGValue(color),
             GetBValue(color));
    return name;
}

bool WaitPainted(HWND window, DWORD timeout_ms)
{
    // Wine copies a window's painting to the screen when its thread next
    // waits for messages, so one read can catch a half-shown paint.
    std::vector<COLORREF> before, after;
    return WaitUntil(
        [&] {
            RECT area = WindowRectOnScreen(window);
            if (!ScreenPixels(area, &before) || !Sync(window))
                return false;
            return ScreenPixels(area, &after) && after == before;
        },
        timeout_ms);
}

bool SaveScreenshot(HWND window, const std::string &bmp_path)
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window)
        area = WindowRectOnScreen(window);
    return SaveScreenRect(area, bmp_path);
}

namespace {

// The screen's pixels in `area` as a bottom-up 24-bit DIB, the layout of a
// BMP file's pixel array.  Empty when the area is empty or the copy failed.
std::string CaptureScreen(const RECT &area, BITMAPINFOHEADER *header)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return std::string();

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    bmi.bmiHeader.biSizeImage = stride * static_cast<DWORD>(height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void *bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::string pixels;
    if (dib) {
        HGDIOBJ old = SelectObject(memory, dib);
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            pixels.assign(static_cast<const char *>(bits), bmi.bmiHeader.biSizeImage);
        }
        SelectObject(memory, old);
        DeleteObject(dib);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    *header = bmi.bmiHeader;
    return pixels;
}

} // namespace

bool ScreenPixels(const RECT &area, std::vector<COLORREF> *pixels)
{
    BITMAPINFOHEADER header;
    std::string dib = CaptureScreen(area, &header);
    pixels->clear();
    if (dib.empty())
        return false;
    int width = header.biWidth, height = header.biHeight;
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    pixels->reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        // Bottom-up: the first row of the area is the last row of the DIB.
        const unsigned char *row =
            reinterpret_cast<const unsigned char *>(dib.data()) + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x)
            pixels->push_back(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
    return true;
}

bool ClientPixels(HWND window, const RECT &client_area, std::vector<COLORREF> *pixels)
{
    RECT area = client_area;
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT *>(&area), 2);
    return ScreenPixels(area, pixels);
}

bool SaveScreenRect(const RECT &area, const std::string &bmp_path)
{
    BITMAPINFOHEADER header;
    std::string pixels = CaptureScreen(area, &header);
    if (pixels.empty())
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string contents(reinterpret_cast<const char *>(&file), sizeof file);
    contents.append(reinterpret_cast<const char *>(&header), sizeof header);
    contents += pixels;
    return WriteWholeFile(bmp_path, contents);
}

} // namespace qlh
