#pragma once

// Up-down (spin) controls: two arrows beside a buddy window. A click on an
// arrow first asks the parent with kWmNotify (kUdnDeltaPos, NotifyUpDown):
// a nonzero answer refuses the step. Otherwise the position moves by the step
// within the range (around it with kUdsWrap), the buddy shows the new
// position with kUdsSetBuddyInt, and the parent gets kWmVScroll (kWmHScroll
// with kUdsHorz) with kSbThumbPosition and the position; letting go of the
// arrow sends kSbEndScroll. The range is kept in 16 bits as kUdmSetRange
// packs it (lower limit in the high half, upper limit in the low half); the
// up arrow moves toward the upper limit.
//
// kUdsAutoBuddy takes the control made just before as the buddy when the
// up-down is made; kUdsAlignRight then puts the up-down at the buddy's right
// edge, narrowing the buddy by its width, and so again whenever kUdmSetBuddy
// names a buddy; kUdsArrowKeys lets the up and down keys in the buddy step too.

#include "platform/window/ControlModel.h"

namespace platform
{

class UpDownModel : public ControlModel
{
public:
    explicit UpDownModel(NativeWindow& window) : ControlModel(window, "") {}

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    int Position() const { return m_nPos; }
    WindowHandle Buddy() const { return m_hBuddy; }
    void SetBuddy(WindowHandle buddy);

    // ---- the author ----
    // A click on the up (true) or the down arrow.
    void UserStep(bool up);
    // The arrow is let go.
    void UserRelease();

private:
    void TakeAutoBuddy();
    // With kUdsAlignRight: the up-down moves to the buddy's right edge, the buddy narrows by its width.
    void AlignToBuddy();
    void SendScroll(int code);

    int m_nLower = 100; // the system's default range runs from 100 down to 0
    int m_nUpper = 0;
    int m_nPos = 0;
    WindowHandle m_hBuddy;
};

} // namespace platform
