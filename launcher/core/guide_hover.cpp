#include "core/guide_hover.h"

HoverStep GuideHover::PointerOnButton(int controlId)
{
    HoverStep step;
    if (controlId == kNoHover || controlId == current_)
        return step;
    step.redrawPlain = current_;
    step.redrawHover = controlId;
    current_ = controlId;
    return step;
}

HoverStep GuideHover::PointerOnBackground()
{
    HoverStep step;
    if (current_ == kNoHover)
        return step;
    step.redrawPlain = current_;
    step.focusClose = true;
    current_ = kNoHover;
    return step;
}

TitleLook LookOfTitle(bool hovered)
{
    if (hovered)
        return {0x00CCCCCCul, true};
    return {0x00000000ul, false};
}
