// Plain rectangles and points for the platform-free code: the same field
// order as the Win32 RECT and POINT, so the front end copies them field by
// field without thinking.
#pragma once

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

struct Point {
    int x;
    int y;
};

inline int RectWidth(const Rect &r)
{
    return r.right - r.left;
}
inline int RectHeight(const Rect &r)
{
    return r.bottom - r.top;
}
