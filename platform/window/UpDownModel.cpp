#include "platform/window/UpDownModel.h"

#include "platform/window/EditModel.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <string>

namespace platform
{

intptr_t UpDownModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message)
    {
    case kWmCreate:
        TakeAutoBuddy();
        return 0;
    case kUdmSetRange:
        m_nUpper = static_cast<int16_t>(LowWord(static_cast<uintptr_t>(lParam)));
        m_nLower = static_cast<int16_t>(HighWord(static_cast<uintptr_t>(lParam)));
        m_nPos = std::clamp(m_nPos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
        Changed();
        return 0;
    case kUdmGetRange:
        return MakeLParam(m_nUpper, m_nLower);
    case kUdmSetPos:
    {
        int previous = m_nPos;
        m_nPos = std::clamp<int>(static_cast<int16_t>(LowWord(static_cast<uintptr_t>(lParam))),
                                 std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
        Changed();
        return previous;
    }
    case kUdmGetPos:
        return MakeLParam(m_nPos, 0);
    case kUdmSetBuddy:
    {
        WindowHandle previous = m_hBuddy;
        SetBuddy(HandleFromParam(wParam));
        AlignToBuddy();
        return static_cast<intptr_t>(HandleParam(previous));
    }
    case kUdmGetBuddy:
        return static_cast<intptr_t>(HandleParam(m_hBuddy));
    default:
        return ControlModel::OnMessage(message, wParam, lParam);
    }
}

void UpDownModel::SetBuddy(WindowHandle buddy)
{
    if (auto* edit = ModelOf<EditModel>(m_hBuddy))
    {
        edit->SetArrowKeyPartner(nullptr);
    }
    m_hBuddy = buddy;
    if (auto* edit = ModelOf<EditModel>(m_hBuddy))
    {
        edit->SetArrowKeyPartner(Handle());
    }
}

void UpDownModel::TakeAutoBuddy()
{
    if (!(Style() & kUdsAutoBuddy))
    {
        return;
    }
    WindowSystem& system = Window().System();
    std::vector<WindowHandle> siblings = system.Children(Window().Parent());
    auto self = std::find(siblings.begin(), siblings.end(), Handle());
    if (self == siblings.begin() || self == siblings.end())
    {
        return;
    }
    SetBuddy(*(self - 1));
    AlignToBuddy();
}

void UpDownModel::AlignToBuddy()
{
    NativeWindow* buddy = ResolveWindow(m_hBuddy);
    if (buddy && (Style() & kUdsAlignRight))
    {
        Rect own = Window().WindowRect();
        Rect next = buddy->WindowRect();
        int width = own.m_nWidth;
        buddy->SetWindowRect({next.m_nLeft, next.m_nTop, std::max(next.m_nWidth - width, 0), next.m_nHeight});
        Window().SetWindowRect({next.m_nLeft + std::max(next.m_nWidth - width, 0), next.m_nTop, width, next.m_nHeight});
    }
}

void UpDownModel::UserStep(bool up)
{
    int toward = m_nLower <= m_nUpper ? 1 : -1;
    NotifyUpDown notify;
    notify.m_nPos = m_nPos;
    notify.m_nDelta = up ? toward : -toward;
    WindowHandle self = Handle();
    if (NotifyParent(notify.m_Header, kUdnDeltaPos) != 0 || !ResolveWindow(self))
    {
        return;
    }
    int low = std::min(m_nLower, m_nUpper);
    int high = std::max(m_nLower, m_nUpper);
    int next = m_nPos + notify.m_nDelta;
    if (next < low || next > high)
    {
        if (!(Style() & kUdsWrap))
        {
            return;
        }
        next = next < low ? high : low;
    }
    m_nPos = next;
    Changed();
    if ((Style() & kUdsSetBuddyInt) && ResolveWindow(m_hBuddy))
    {
        ResolveWindow(m_hBuddy)->SetText(std::to_string(m_nPos));
    }
    SendScroll(kSbThumbPosition);
}

void UpDownModel::UserRelease()
{
    SendScroll(kSbEndScroll);
}

void UpDownModel::SendScroll(int code)
{
    uint32_t message = (Style() & kUdsHorz) ? kWmHScroll : kWmVScroll;
    Window().System().SendMessage(Window().Parent(), message, MakeWParam(code, code == kSbThumbPosition ? m_nPos : 0),
                                  static_cast<intptr_t>(HandleParam(Handle())));
}

} // namespace platform
