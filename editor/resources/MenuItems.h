#pragma once

// The building blocks of the menus and tool bars written as data.

#include "common/window/WindowBase.h"
#include "platform/window/NativeWindow.h"

#include <vector>

inline platform::MenuItem MenuCommand(int command, const char* text)
{
    platform::MenuItem item;
    item.m_nCommand = command;
    item.m_strText = text;
    return item;
}

inline platform::MenuItem MenuSeparator()
{
    platform::MenuItem item;
    item.m_bSeparator = true;
    return item;
}

// A drop-down menu of a menu bar, or a submenu.
inline platform::MenuItem MenuPopup(const char* text, std::vector<platform::MenuItem> items)
{
    platform::MenuItem item;
    item.m_strText = text;
    item.m_SubItems = std::move(items);
    return item;
}

// A tool-bar button, a separator, and a button of a group of which one is checked at a time.
inline ToolbarButtonEntry BarButton(int image, int command, const char* tip, uint8_t style = 0)
{
    return {platform::ToolButton{image, command, platform::ToolButton::kStateEnabled, style}, tip};
}

inline ToolbarButtonEntry BarSeparator()
{
    return {platform::ToolButton{0, 0, platform::ToolButton::kStateEnabled, platform::ToolButton::kStyleSeparator},
            nullptr};
}

inline ToolbarButtonEntry BarCheckButton(int image, int command, const char* tip)
{
    return BarButton(image, command, tip, platform::ToolButton::kStyleCheck);
}
