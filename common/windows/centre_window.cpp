#include "common/windows/centre_window.h"

#include "common/core/centring.h"

void CentreWindow(HWND window, int width, int height, UINT flags)
{
    RECT frame;
    GetWindowRect(window, &frame);
    int x = CentreCoordinate(width, frame.left, frame.right);
    int y = CentreCoordinate(height, frame.top, frame.bottom);
    SetWindowPos(window, nullptr, x, y, 0, 0, flags);
}
