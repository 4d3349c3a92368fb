#include "core/message_painter.h"

#include "resource.h"

int ChooseMessagePainters(int controlId, unsigned itemAction, unsigned itemState, Painter out[4])
{
    if (controlId != kMessageOk && controlId != kMessageCancel)
        return 0;
    int n = 0;
    if (itemAction & kOdaDrawEntire)
        out[n++] = Painter::Normal;
    if (itemState & kOdsFocus)
        out[n++] = Painter::Focus;
    if (itemState & kOdsSelected)
        out[n++] = Painter::Pressed;
    // Cancel never shows, so only OK has a disabled look.
    if (controlId == kMessageOk && (itemState & kOdsDisabled))
        out[n++] = Painter::Disabled;
    return n;
}

unsigned MessageLabelId(int controlId, int languageIndex)
{
    switch (controlId) {
    case kMessageOk: return IDS_MESSAGE_OK + unsigned(languageIndex);
    case kMessageCancel: return IDS_MESSAGE_CANCEL + unsigned(languageIndex);
    default: return 0;
    }
}

unsigned MessageTextId(int languageIndex)
{
    return IDS_MESSAGE_TEXT + unsigned(languageIndex);
}

ButtonLook LookOfPainter(Painter painter, const Rect& r)
{
    ButtonLook look{};
    switch (painter) {
    case Painter::Normal:
        look.frameCount = 1;
        look.frames[0] = {r, FrameBrush::Black};
        break;
    case Painter::Focus:
        // A second frame one pixel smaller at right and bottom doubles
        // those two edges.
        look.frameCount = 2;
        look.frames[0] = {r, FrameBrush::Black};
        look.frames[1] = {{r.left, r.top, r.right - 1, r.bottom - 1}, FrameBrush::Black};
        break;
    case Painter::Pressed:
        // Set in by a pixel, with doubled top and left edges: pushed in.
        look.frameCount = 2;
        look.frames[0] = {{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, FrameBrush::Black};
        look.frames[1] = {{r.left + 2, r.top + 2, r.right - 1, r.bottom - 1}, FrameBrush::Black};
        break;
    case Painter::Disabled:
        look.frameCount = 1;
        look.frames[0] = {r, FrameBrush::LightGray};
        look.greyText = true;
        break;
    }
    return look;
}
