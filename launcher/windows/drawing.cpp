#include "windows/drawing.h"

#include <cstring>

#include "common/core/centring.h"

void DrawBitmap(HDC dc, int x, int y, int right, int bottom, HBITMAP bitmap, DWORD rop)
{
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof info, &info))
        return;
    int width = right - x;
    int height = bottom - y;
    if (width > info.bmWidth)
        width = info.bmWidth;
    if (height > info.bmHeight)
        height = info.bmHeight;
    if (width <= 0 || height <= 0)
        return;

    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, width, height, memory, 0, 0, rop);
    SelectObject(memory, old);
    DeleteDC(memory);
}

int BitmapResourceDimension(HINSTANCE instance, int id, int which)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2)); // RT_BITMAP
    if (!found || SizeofResource(instance, found) < sizeof(BITMAPINFOHEADER))
        return 0;
    HGLOBAL loaded = LoadResource(instance, found);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return 0;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (which)
        return header.biWidth;
    return header.biHeight < 0 ? -header.biHeight : header.biHeight;
}

bool IsFontInstalled(HWND window, const char *face)
{
    LOGFONTA wanted;
    ZeroMemory(&wanted, sizeof wanted);
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);

    HFONT font = CreateFontIndirectA(&wanted);
    if (!font)
        return false;
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    char selected[80];
    selected[0] = '\0';
    GetTextFaceA(dc, sizeof selected, selected);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    DeleteObject(font);
    return lstrcmpiA(selected, face) == 0;
}

HBITMAP LoadGreyBitmapInColours(HINSTANCE instance, int id, HDC dc, COLORREF ink, COLORREF paper)
{
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2)); // RT_BITMAP
    DWORD size = found ? SizeofResource(instance, found) : 0;
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const BYTE *data = loaded ? static_cast<const BYTE *>(LockResource(loaded)) : nullptr;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info;
    if (!data || size < sizeof info.header)
        return nullptr;
    std::memcpy(&info.header, data, sizeof info.header);
    DWORD count = info.header.biClrUsed ? info.header.biClrUsed : 256;
    DWORD bits = info.header.biSize + count * sizeof(RGBQUAD);
    if (info.header.biSize != sizeof info.header || info.header.biBitCount != 8 || count > 256 ||
        bits > size)
        return nullptr;
    std::memcpy(info.colours, data + info.header.biSize, count * sizeof(RGBQUAD));
    // A grey g of the art becomes g/255 of the paper and the rest ink, so
    // the smoothed edges stay smooth in any pair of colours. An RGBQUAD is
    // blue, green, red; a COLORREF red, green, blue from its low byte.
    for (DWORD i = 0; i < count; i++) {
        BYTE *channel = &info.colours[i].rgbBlue;
        int g = channel[0];
        for (int k = 0; k < 3; k++) {
            int shift = 16 - 8 * k;
            int inkPart = (ink >> shift) & 0xFF, paperPart = (paper >> shift) & 0xFF;
            channel[k] = static_cast<BYTE>((inkPart * (255 - g) + paperPart * g + 127) / 255);
        }
    }
    return CreateDIBitmap(dc, &info.header, CBM_INIT, data + bits,
                          reinterpret_cast<const BITMAPINFO *>(&info), DIB_RGB_COLORS);
}

int ScreenDpi(HDC dc)
{
    return GetDeviceCaps(dc, LOGPIXELSY);
}

HFONT CreateMenuFont(HDC dc, int points, int weight, const char *face)
{
    return CreateMenuFontFor(ScreenDpi(dc), points, weight, face);
}

HFONT CreateMenuFontFor(int pixelsPerInch, int points, int weight, const char *face)
{
    LOGFONTA lf;
    ZeroMemory(&lf, sizeof lf);
    lf.lfHeight = FontHeightForPoints(points, pixelsPerInch);
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

FontMetrics MetricsOf(HDC dc)
{
    TEXTMETRICA tm;
    ZeroMemory(&tm, sizeof tm);
    GetTextMetricsA(dc, &tm);
    return FontMetrics{tm.tmHeight, tm.tmExternalLeading, tm.tmAveCharWidth};
}

void CentreOnOwnerWindow(HWND dialog)
{
    HWND owner = reinterpret_cast<HWND>(GetWindowLongPtrA(dialog, GWLP_HWNDPARENT));
    RECT ownerRect, dialogRect;
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(dialog, &dialogRect);
    Point at = CentreOnOwner(FromRECT(ownerRect), FromRECT(dialogRect));
    SetWindowPos(dialog, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}
