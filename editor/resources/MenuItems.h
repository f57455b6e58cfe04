#pragma once

// The building blocks of the menus written as data.

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
