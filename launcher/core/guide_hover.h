// The hover state of the guides dialog: which button lies under the
// pointer. Buttons see the pointer through WM_SETCURSOR, the dialog sees it
// on its own background through WM_MOUSEMOVE; each event tells the front
// end what to redraw and whether the focus goes to the close button.
#pragma once

// Buttons are named by control id; 0 stands for none.
constexpr int kNoHover = 0;

struct HoverStep {
    int redrawPlain = kNoHover; // invalidate without erasing: back to the plain look
    int redrawHover = kNoHover; // invalidate with erasing: the hover look
    bool focusClose = false;    // hand the focus to the close button
};

class GuideHover {
public:
    int Current() const { return current_; }
    bool IsHovered(int controlId) const { return current_ != kNoHover && current_ == controlId; }

    HoverStep PointerOnButton(int controlId);
    HoverStep PointerOnBackground();
    void Reset() { current_ = kNoHover; }

private:
    int current_ = kNoHover;
};

// How a title looks with or without the pointer on it.
struct TitleLook {
    unsigned long colour; // COLORREF layout: 0x00BBGGRR
    bool underlined;      // drawn in the hover font
};
TitleLook LookOfTitle(bool hovered);
