#pragma once

// Scroll bars: a scroll-bar control, or the horizontal and vertical bar of a
// window. A bar keeps a range, a page and a position; the position never
// passes max - page + 1 (max with no page). The bar itself never moves: the
// author's requests go to the parent as kWmHScroll or kWmVScroll (the request
// code in the low half of wParam, the thumb position in the high half for
// the two thumb requests, the bar's handle in lParam), and the parent sets
// the new position. While the thumb is dragged the bar keeps the track
// position, which the parent reads with kSifTrackPos.

#include "platform/window/ControlModel.h"

namespace platform
{

// Stores the parts of the info that its mask names, keeping the page within
// the range and the position within the reachable part of it.
void ApplyScrollInfo(ScrollInfo& bar, const ScrollInfo& info);
// The parts of the bar that the info's mask names.
void ReadScrollInfo(const ScrollInfo& bar, ScrollInfo& info);

class ScrollBarModel : public ControlModel
{
public:
    explicit ScrollBarModel(NativeWindow& window) : ControlModel(window, "") {}

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    bool IsVertical() const { return (Style() & kSbsVert) != 0; }
    const ScrollInfo& Info() const { return m_Info; }
    // Sets the parts the mask names; the position after it.
    int SetInfo(const ScrollInfo& info, bool redraw);
    bool IsTracking() const { return m_bTracking; }

    // ---- the author ----
    // A request: a line or a page up or down, the top or the bottom, the
    // thumb dragged to a position (kSbThumbTrack) or let go there
    // (kSbThumbPosition), the end of a scroll (kSbEndScroll).
    void UserRequest(int code, int thumbPosition = 0);

private:
    ScrollInfo m_Info;
    bool m_bTracking = false;
};

// The bar of a window (kSbHorz, kSbVert) or the scroll-bar control itself
// (kSbCtl); the position afterwards, 0 when there is no such bar.
int SetScrollInfo(WindowHandle window, int bar, const ScrollInfo& info, bool redraw);
bool GetScrollInfo(WindowHandle window, int bar, ScrollInfo& info);

} // namespace platform
