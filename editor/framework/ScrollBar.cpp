#include "editor/framework/ScrollBar.h"

#include "platform/window/ScrollBarModel.h"

void ScrollBar::Attach(DialogBase* owner, const ScrollBarBinding& binding)
{
    AttachByBinding(owner, binding);
    m_pWindow = binding.m_pWindow;
    m_nBar = binding.m_nBar;
    m_nReserved = binding.m_nReserved;
    m_nMinimum = binding.m_nMinimum;
    m_nMaximum = binding.m_nMaximum;
    m_nPage = binding.m_nPage;
    m_bRedraw = binding.m_bRedraw;
    platform::ScrollInfo info;
    info.m_nMask = platform::kSifRange | platform::kSifPage;
    info.m_nMin = m_nMinimum;
    info.m_nMax = m_nMaximum;
    info.m_nPage = static_cast<uint32_t>(m_nPage);
    if (m_pWindow)
    {
        platform::SetScrollInfo(*m_pWindow, m_nBar, info, m_bRedraw != 0);
    }
    else
    {
        platform::SetScrollInfo(m_hWnd, platform::kSbCtl, info, m_bRedraw != 0);
    }
}
