#include "platform/window/ScrollBarModel.h"

#include "platform/window/WindowSystem.h"

#include <algorithm>

namespace platform
{

void ApplyScrollInfo(ScrollInfo& bar, const ScrollInfo& info)
{
    if (info.m_nMask & kSifRange)
    {
        bar.m_nMin = info.m_nMin;
        bar.m_nMax = std::max(info.m_nMax, info.m_nMin);
    }
    if (info.m_nMask & kSifPage)
    {
        bar.m_nPage = info.m_nPage;
    }
    if (info.m_nMask & kSifPos)
    {
        bar.m_nPos = info.m_nPos;
    }
    // The page is at most the whole range; the position stops where the last page begins.
    long long span = static_cast<long long>(bar.m_nMax) - bar.m_nMin + 1;
    bar.m_nPage = static_cast<uint32_t>(std::min<long long>(bar.m_nPage, span));
    long long last = bar.m_nPage > 0 ? static_cast<long long>(bar.m_nMax) - bar.m_nPage + 1 : bar.m_nMax;
    bar.m_nPos = static_cast<int>(std::clamp<long long>(bar.m_nPos, bar.m_nMin, std::max<long long>(last, bar.m_nMin)));
}

void ReadScrollInfo(const ScrollInfo& bar, ScrollInfo& info)
{
    if (info.m_nMask & kSifRange)
    {
        info.m_nMin = bar.m_nMin;
        info.m_nMax = bar.m_nMax;
    }
    if (info.m_nMask & kSifPage)
    {
        info.m_nPage = bar.m_nPage;
    }
    if (info.m_nMask & kSifPos)
    {
        info.m_nPos = bar.m_nPos;
    }
    if (info.m_nMask & kSifTrackPos)
    {
        info.m_nTrackPos = bar.m_nTrackPos;
    }
}

intptr_t ScrollBarModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message)
    {
    case kSbmSetScrollInfo:
        return lParam ? SetInfo(*reinterpret_cast<const ScrollInfo*>(lParam), wParam != 0) : 0;
    case kSbmGetScrollInfo:
        if (lParam)
        {
            ReadScrollInfo(m_Info, *reinterpret_cast<ScrollInfo*>(lParam));
        }
        return lParam != 0;
    case kSbmSetPos:
    {
        int previous = m_Info.m_nPos;
        ScrollInfo info;
        info.m_nMask = kSifPos;
        info.m_nPos = static_cast<int>(static_cast<intptr_t>(wParam));
        SetInfo(info, lParam != 0);
        return previous;
    }
    case kSbmGetPos:
        return m_Info.m_nPos;
    case kSbmSetRange:
    {
        ScrollInfo info;
        info.m_nMask = kSifRange;
        info.m_nMin = static_cast<int>(static_cast<intptr_t>(wParam));
        info.m_nMax = static_cast<int>(lParam);
        SetInfo(info, false);
        return 1;
    }
    default:
        return ControlModel::OnMessage(message, wParam, lParam);
    }
}

int ScrollBarModel::SetInfo(const ScrollInfo& info, bool redraw)
{
    ApplyScrollInfo(m_Info, info);
    if (!m_bTracking)
    {
        m_Info.m_nTrackPos = m_Info.m_nPos;
    }
    if (redraw)
    {
        Changed();
    }
    return m_Info.m_nPos;
}

void ScrollBarModel::UserRequest(int code, int thumbPosition)
{
    int high = 0;
    if (code == kSbThumbTrack || code == kSbThumbPosition)
    {
        m_bTracking = code == kSbThumbTrack;
        m_Info.m_nTrackPos = thumbPosition;
        high = thumbPosition;
    }
    else if (code == kSbEndScroll)
    {
        m_bTracking = false;
    }
    uint32_t message = IsVertical() ? kWmVScroll : kWmHScroll;
    Window().System().SendMessage(Window().Parent(), message, MakeWParam(code, high),
                                  static_cast<intptr_t>(HandleParam(Handle())));
    if (!m_bTracking)
    {
        m_Info.m_nTrackPos = m_Info.m_nPos;
        // The bar shows where the parent left the position.
        Changed();
    }
}

int SetScrollInfo(WindowHandle window, int bar, const ScrollInfo& info, bool redraw)
{
    NativeWindow* native = ResolveWindow(window);
    if (!native)
    {
        return 0;
    }
    if (bar == kSbCtl)
    {
        auto* model = dynamic_cast<ScrollBarModel*>(native->Control());
        return model ? model->SetInfo(info, redraw) : 0;
    }
    if (bar != kSbHorz && bar != kSbVert)
    {
        return 0;
    }
    ScrollInfo& own = native->WindowBar(bar);
    ApplyScrollInfo(own, info);
    own.m_nTrackPos = own.m_nPos;
    return own.m_nPos;
}

bool GetScrollInfo(WindowHandle window, int bar, ScrollInfo& info)
{
    NativeWindow* native = ResolveWindow(window);
    if (!native)
    {
        return false;
    }
    if (bar == kSbCtl)
    {
        auto* model = dynamic_cast<ScrollBarModel*>(native->Control());
        if (!model)
        {
            return false;
        }
        ReadScrollInfo(model->Info(), info);
        return true;
    }
    if (bar != kSbHorz && bar != kSbVert)
    {
        return false;
    }
    ReadScrollInfo(native->WindowBar(bar), info);
    return true;
}

} // namespace platform
