#pragma once

// The marks of an editor window's own menu items and tool-bar buttons: checked,
// greyed, enabled, as its palettes and its history say.

#include "platform/window/NativeWindow.h"

#include <vector>

// The command item of that id, at any depth; null when there is none.
inline platform::MenuItem* FindMenuItem(std::vector<platform::MenuItem>& items, int command)
{
    for (platform::MenuItem& item : items)
    {
        if (!item.m_bSeparator && item.m_SubItems.empty() && item.m_nCommand == command)
        {
            return &item;
        }
        if (platform::MenuItem* found = FindMenuItem(item.m_SubItems, command))
        {
            return found;
        }
    }
    return nullptr;
}

// Sets an item's marks; true when they changed (the window then shows its menu again).
inline bool SetItemMarks(platform::Menu& menu, int command, bool checked, bool grayed)
{
    platform::MenuItem* item = FindMenuItem(menu.m_Items, command);
    if (!item || (item->m_bChecked == checked && item->m_bGrayed == grayed))
    {
        return false;
    }
    item->m_bChecked = checked;
    item->m_bGrayed = grayed;
    return true;
}

// A tool-bar button's state; nothing without a bar.
inline void SetButtonState(platform::ToolBar* bar, int command, bool checked, bool enabled)
{
    if (bar)
    {
        bar->SetButtonState(command, static_cast<uint8_t>((checked ? platform::ToolButton::kStateChecked : 0) |
                                                          (enabled ? platform::ToolButton::kStateEnabled : 0)));
    }
}
