// Decisions of the start-up notice: its string ids, which painters an
// owner-drawn button gets, and what each painter frames.
#pragma once

#include "common/core/geometry.h"
#include "resource.h"

// The owner-draw action and state bits, with the values Windows gives them
// (the front end checks that they agree).
enum OwnerDrawAction : unsigned {
    kOdaDrawEntire = 0x0001,
    kOdaSelect = 0x0002,
    kOdaFocus = 0x0004,
};
enum OwnerDrawState : unsigned {
    kOdsSelected = 0x0001,
    kOdsGrayed = 0x0002,
    kOdsDisabled = 0x0004,
    kOdsChecked = 0x0008,
    kOdsFocus = 0x0010,
};

enum MessageControl {
    kMessageOk = 1,
    kMessageCancel = 2,
    kMessageText = IDC_MESSAGE_TEXT,
};

enum class Painter { kNormal, kFocus, kPressed, kDisabled };

// The painters to run, in order, for one WM_DRAWITEM; each repaints the
// whole item, so the last decides the look. Returns how many were written
// (at most 4); none for an id other than OK and Cancel, or for a change
// that clears a state.
int ChooseMessagePainters(int controlId, unsigned itemAction, unsigned itemState, Painter out[4]);

// String id of a button's label, 0 for other ids.
unsigned MessageLabelId(int controlId, int languageIndex);
unsigned MessageTextId(int languageIndex);

enum class FrameBrush { kBlack, kLightGray };

struct Frame {
    Rect rect;
    FrameBrush brush;
};

struct ButtonLook {
    int frameCount;
    Frame frames[2];
    bool greyText; // RGB(128,128,128); otherwise the DC's colour stays
};

// The frames one painter draws inside item rectangle `item`, in order.
ButtonLook LookOfPainter(Painter painter, const Rect &item);

constexpr unsigned long kMessageFaceColour = 0x00E1FFFFul;   // RGB(255,255,225)
constexpr unsigned long kDisabledLabelColour = 0x00808080ul; // RGB(128,128,128)
