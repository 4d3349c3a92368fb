#include "core/message_painter.h"

#include "resource.h"

int ChooseMessagePainters(int controlId, unsigned itemAction, unsigned itemState, Painter out[4])
{
    if (controlId != kMessageOk && controlId != kMessageCancel)
        return 0;
    int n = 0;
    if (itemAction & kOdaDrawEntire)
        out[n++] = Painter::kNormal;
    if (itemState & kOdsFocus)
        out[n++] = Painter::kFocus;
    if (itemState & kOdsSelected)
        out[n++] = Painter::kPressed;
    // Cancel never shows, so only OK has a disabled look.
    if (controlId == kMessageOk && (itemState & kOdsDisabled))
        out[n++] = Painter::kDisabled;
    return n;
}

unsigned MessageLabelId(int controlId, int languageIndex)
{
    switch (controlId) {
    case kMessageOk:
        return IDS_MESSAGE_OK + unsigned(languageIndex);
    case kMessageCancel:
        return IDS_MESSAGE_CANCEL + unsigned(languageIndex);
    default:
        return 0;
    }
}

unsigned MessageTextId(int languageIndex)
{
    return IDS_MESSAGE_TEXT + unsigned(languageIndex);
}

ButtonLook LookOfPainter(Painter painter, const Rect &r)
{
    ButtonLook look{};
    switch (painter) {
    case Painter::kNormal:
        look.frameCount = 1;
        look.frames[0] = {r, FrameBrush::kBlack};
        break;
    case Painter::kFocus:
        // A second frame one pixel smaller at right and bottom doubles
        // those two edges.
        look.frameCount = 2;
        look.frames[0] = {r, FrameBrush::kBlack};
        look.frames[1] = {{r.left, r.top, r.right - 1, r.bottom - 1}, FrameBrush::kBlack};
        break;
    case Painter::kPressed:
        // Set in by a pixel, with doubled top and left edges: pushed in.
        look.frameCount = 2;
        look.frames[0] = {{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, FrameBrush::kBlack};
        look.frames[1] = {{r.left + 2, r.top + 2, r.right - 1, r.bottom - 1}, FrameBrush::kBlack};
        break;
    case Painter::kDisabled:
        look.frameCount = 1;
        look.frames[0] = {r, FrameBrush::kLightGray};
        look.greyText = true;
        break;
    }
    return look;
}
