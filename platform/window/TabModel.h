#pragma once

// Tab controls: a row of tabs, one of them current. The program adds tabs
// and chooses one without any notification; the author's choice of another
// tab first asks the parent (kWmNotify, kTcnSelChanging: a nonzero answer
// keeps the tab), then changes it and reports kTcnSelChange. The row of tabs
// is kTabRowHeight pixels high along the control's top edge.

#include "platform/window/ControlModel.h"

#include <vector>

namespace platform
{

class TabModel : public ControlModel
{
public:
    explicit TabModel(NativeWindow& window) : ControlModel(window, "") {}

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    const std::vector<std::string>& Tabs() const { return m_Tabs; }
    int Count() const { return static_cast<int>(m_Tabs.size()); }
    int Selection() const { return m_nSelection; }

    // ---- the author ----
    // Chooses the tab; nothing for the current one or a tab that is not there.
    void UserSelect(int tab);

private:
    std::vector<std::string> m_Tabs;
    int m_nSelection = -1;
};

} // namespace platform
