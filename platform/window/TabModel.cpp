#include "platform/window/TabModel.h"

#include <algorithm>

namespace platform
{

intptr_t TabModel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message)
    {
    case kTcmGetItemCount:
        return Count();
    case kTcmInsertItem:
    {
        int at = static_cast<int>(static_cast<intptr_t>(wParam));
        if (at < 0)
        {
            return -1;
        }
        at = std::min(at, Count());
        m_Tabs.insert(m_Tabs.begin() + at, lParam ? reinterpret_cast<const char*>(lParam) : "");
        if (m_nSelection == -1)
        {
            m_nSelection = 0;
        }
        else if (m_nSelection >= at)
        {
            ++m_nSelection;
        }
        Changed();
        return at;
    }
    case kTcmGetCurSel:
        return m_nSelection;
    case kTcmSetCurSel:
    {
        int tab = static_cast<int>(static_cast<intptr_t>(wParam));
        if (tab < 0 || tab >= Count())
        {
            return -1;
        }
        int previous = m_nSelection;
        m_nSelection = tab;
        Changed();
        return previous;
    }
    default:
        return ControlModel::OnMessage(message, wParam, lParam);
    }
}

void TabModel::UserSelect(int tab)
{
    if (tab < 0 || tab >= Count() || tab == m_nSelection)
    {
        return;
    }
    NotifyHeader header;
    if (NotifyParent(header, kTcnSelChanging) != 0)
    {
        Changed(); // the view shows the tab that stays
        return;
    }
    m_nSelection = tab;
    Changed();
    NotifyHeader changed;
    NotifyParent(changed, kTcnSelChange);
}

} // namespace platform
